/*
 * Tables of the cafe's database.
 *
 * The database's default character set is WIN1254, so every text column
 * holds Turkish text in code page 1254. Names and other texts that people
 * sort or search by use the PXW_TURK collation: it orders "ç", "ğ", "ı",
 * "ö", "ş", "ü" where a Turkish reader expects them and still compares
 * case-sensitively for equality, which the group lookup of the products
 * relies on. Codes, flags and settings keep the plain WIN1254 collation.
 *
 * There are deliberately no foreign keys: a foreign key makes Firebird lock
 * the parent row while a child row is written, and with several terminals
 * working under "nowait" that turns ordinary work on two bills of the same
 * table into lock conflicts. The few rules between tables live in triggers
 * (03_triggers.sql) instead.
 */

CREATE TABLE MASA (
    MASA_ID      SMALLINT NOT NULL,
    MASA_ADI     VARCHAR(50) COLLATE PXW_TURK,
    TUTAR        DOUBLE PRECISION,
    ACIK_KAPALI  SMALLINT,
    CONSTRAINT PK_MASA PRIMARY KEY (MASA_ID),
    /* The key is also the index of the table's button in the bill panel. */
    CONSTRAINT CHK_MASA_ID CHECK (MASA_ID >= 0)
);

CREATE TABLE ADISYON (
    ADISYON_ID      INTEGER NOT NULL,
    MASA_ID         SMALLINT,
    ACIK_KAPALI     SMALLINT,
    TURU_ID         SMALLINT,
    TARIH           TIMESTAMP,
    KAPANIS_TARIHI  TIMESTAMP,
    TAHSILAT_ID     SMALLINT,
    TUTAR           DOUBLE PRECISION,
    K_TUTAR         DOUBLE PRECISION,
    B_TUTAR         DOUBLE PRECISION,
    ACIKLAMA        VARCHAR(50) COLLATE PXW_TURK,
    IPTAL_ID        BIGINT,
    ISKONTO         DOUBLE PRECISION,
    ARA_TUTAR       DOUBLE PRECISION,
    FIS_NO          VARCHAR(20),
    CONSTRAINT PK_ADISYON PRIMARY KEY (ADISYON_ID)
);

CREATE TABLE STOK_HAREKET (
    SN             INTEGER NOT NULL,
    STOK_ID        INTEGER,
    STOK_KODU      VARCHAR(20) COLLATE PXW_TURK,
    STOK_ADI       VARCHAR(50) COLLATE PXW_TURK,
    GRUP_ID        SMALLINT,
    TARIH          TIMESTAMP,
    IPTAL_ID       BIGINT,
    GIREN          DOUBLE PRECISION,
    CIKAN          DOUBLE PRECISION,
    FIYAT          DOUBLE PRECISION,
    TUTAR          DOUBLE PRECISION,
    ISKONTO        DOUBLE PRECISION,
    ISKONTO_TUTAR  DOUBLE PRECISION,
    ARA_TUTAR      DOUBLE PRECISION,
    ADISYON_ID     INTEGER,
    BIRIM          VARCHAR(20) COLLATE PXW_TURK,
    GC_ID          BIGINT,
    CONSTRAINT PK_STOK_HAREKET PRIMARY KEY (SN)
);

CREATE TABLE STOK (
    STOK_ID    INTEGER NOT NULL,
    GRUP_ID    SMALLINT,
    GRUP_ADI   VARCHAR(40) COLLATE PXW_TURK,
    STOK_ADI   VARCHAR(50) COLLATE PXW_TURK,
    BIRIM      VARCHAR(20) COLLATE PXW_TURK,
    FIYAT      DOUBLE PRECISION,
    STOK_KODU  VARCHAR(20) COLLATE PXW_TURK,
    ACIKLAMA   VARCHAR(50) COLLATE PXW_TURK,
    SIRA_NO    SMALLINT,
    CONSTRAINT PK_STOK PRIMARY KEY (STOK_ID)
);

CREATE TABLE GRUP (
    GRUP_ID   SMALLINT NOT NULL,
    GRUP_ADI  VARCHAR(40) COLLATE PXW_TURK,
    SIRA_NO   SMALLINT,
    CONSTRAINT PK_GRUP PRIMARY KEY (GRUP_ID)
);

CREATE TABLE BIRIM (
    SN     SMALLINT NOT NULL,
    BIRIM  VARCHAR(20) COLLATE PXW_TURK,
    CONSTRAINT PK_BIRIM PRIMARY KEY (SN)
);

/*
 * The settings: exactly one row, which the program reads and updates but
 * never inserts or deletes. It has no key column; the triggers and the
 * index in 03_triggers.sql and 05_indexes.sql keep it at one row.
 * Colours are 0x00BBGGRR values; the flags hold "True" or "False".
 */
CREATE TABLE AYARLAR (
    MASA_H           INTEGER,
    MASA_W           INTEGER,
    MASA_FONT_SIZE   SMALLINT,
    MASA_COLOR       INTEGER,
    MASA_FONT_COLOR  BIGINT,
    M_ADISYON        VARCHAR(20),
    N_ADISYON        INTEGER,
    KASA_UYARI       VARCHAR(20),
    BANKA_UYARI      VARCHAR(20),
    MASA_COLOR_2     INTEGER,
    PNL_MASA_H       SMALLINT,
    GRD_1_W          SMALLINT,
    GRD_1_FONT_SIZE  SMALLINT,
    GRD_2_W          SMALLINT,
    GRD_2_FONT_SIZE  SMALLINT,
    M_STOK_KODU      VARCHAR(20),
    N_STOK_KODU      INTEGER,
    STOK_GRUPLA      VARCHAR(20),
    KULLANICI_ADI    VARCHAR(20),
    KULLANICI_SIFRE  VARCHAR(20),
    RAPOR_TARIH      VARCHAR(20),
    YAZICI           VARCHAR(50),
    BENI_HATIRLA     VARCHAR(20)
);

COMMIT;
