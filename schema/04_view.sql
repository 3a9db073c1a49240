/*
 * W_ADISYON: every bill with the name of its table and a short text for its
 * payment kind, for the saved-bills browser and the summary report.
 *
 * The table is joined with an outer join so that the bills of a table that
 * has since been deleted are still listed. Such a bill gets the name
 * "Silinmiş Masa <MASA_ID>" instead of an empty one: the summary report
 * filters and groups on MASA_ADI with LIKE, which never matches an empty
 * (NULL) name, so the money taken at a deleted table would otherwise drop
 * out of the report's totals. Table keys are never reused, so the name still
 * tells the deleted tables apart.
 *
 * TAHSILAT fits CHAR(5): "NAKİT" for cash, "KART" for card, "KARMA" for
 * part cash and part card, and NULL for a bill that was not paid.
 */

CREATE VIEW W_ADISYON (
    ADISYON_ID,
    MASA_ID,
    ACIK_KAPALI,
    TURU_ID,
    TARIH,
    KAPANIS_TARIHI,
    TAHSILAT_ID,
    TUTAR,
    K_TUTAR,
    B_TUTAR,
    ACIKLAMA,
    IPTAL_ID,
    ISKONTO,
    ARA_TUTAR,
    FIS_NO,
    MASA_ADI,
    TAHSILAT
) AS
SELECT
    A.ADISYON_ID,
    A.MASA_ID,
    A.ACIK_KAPALI,
    A.TURU_ID,
    A.TARIH,
    A.KAPANIS_TARIHI,
    A.TAHSILAT_ID,
    A.TUTAR,
    A.K_TUTAR,
    A.B_TUTAR,
    A.ACIKLAMA,
    A.IPTAL_ID,
    A.ISKONTO,
    A.ARA_TUTAR,
    A.FIS_NO,
    CAST(
        IIF(M.MASA_ID IS NULL,
            'Silinmiş Masa ' || A.MASA_ID,
            M.MASA_ADI)
        AS VARCHAR(50) CHARACTER SET WIN1254) COLLATE PXW_TURK,
    CAST(
        CASE A.TAHSILAT_ID
            WHEN 1 THEN 'NAKİT'
            WHEN 2 THEN 'KART'
            WHEN 3 THEN 'KARMA'
        END
        AS CHAR(5) CHARACTER SET WIN1254)
FROM ADISYON A
LEFT OUTER JOIN MASA M ON M.MASA_ID = A.MASA_ID;

COMMIT;
