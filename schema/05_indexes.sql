/*
 * Indexes for the queries the program runs all day. The primary keys
 * already index every lookup by key (refresh, update and delete of a row).
 */

/*
 * The open bill of a table: MASA_ID = :MASA_ID AND ACIK_KAPALI = 2 AND
 * IPTAL_ID = 1 AND TURU_ID = 1. A table collects many closed bills over
 * time but has at most one open one, so the table and the open/closed
 * state together narrow the search to that one bill.
 */
CREATE INDEX IX_ADISYON_MASA_ACIK ON ADISYON (MASA_ID, ACIK_KAPALI);

/* The summary report selects a date range of opening or of closing times. */
CREATE INDEX IX_ADISYON_TARIH ON ADISYON (TARIH);
CREATE INDEX IX_ADISYON_KAPANIS_TARIHI ON ADISYON (KAPANIS_TARIHI);

/* A bill's lines, their sums and the discount update all select by bill. */
CREATE INDEX IX_STOK_HAREKET_ADISYON ON STOK_HAREKET (ADISYON_ID);

/*
 * Order entry and the per-group product window list a group's products in
 * their order, and the group triggers rename or delete a group's products.
 */
CREATE INDEX IX_STOK_GRUP_SIRA ON STOK (GRUP_ID, SIRA_NO);

/* Order entry lists the groups in their order; products find their group by name. */
CREATE INDEX IX_GRUP_SIRA_NO ON GRUP (SIRA_NO);
CREATE INDEX IX_GRUP_ADI ON GRUP (GRUP_ADI);

/*
 * Products that name a group which does not exist yet are found by name
 * when the group appears.
 */
CREATE INDEX IX_STOK_GRUP_ADI ON STOK (GRUP_ADI);

/*
 * The settings table holds exactly one row. Every row has the same value
 * for this expression, so a second row fails here even when two
 * connections insert at the same time and neither sees the other's row.
 */
CREATE UNIQUE INDEX UX_AYARLAR_TEK_SATIR ON AYARLAR COMPUTED BY (1);

COMMIT;
