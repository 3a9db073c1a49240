/*
 * The rules the program leaves to the database.
 *
 * Every insert of the program names every column of its table, so a column
 * the program leaves empty arrives as NULL and a column DEFAULT would never
 * apply. The defaults are therefore set by BEFORE INSERT triggers, and only
 * where the incoming value is NULL, so that a value someone does send wins.
 *
 * The relations between tables (a group's products, a bill's lines) are kept
 * here as well instead of by foreign keys; see 01_tables.sql for why.
 */

CREATE EXCEPTION E_AYARLAR_IKINCI_SATIR
    'Ayarlar tablosunda yalnızca bir satır bulunabilir; ikinci bir ayar satırı eklenemez.';
CREATE EXCEPTION E_AYARLAR_SILINEMEZ
    'Ayarlar satırı silinemez; program bu satır olmadan çalışamaz.';

COMMIT;

SET TERM ^ ;

/* ---------------------------------------------------------------- MASA */

/*
 * A new table is free. MASA.TUTAR is not kept up to date with the table's
 * open bill: doing so would make every bill line also write the table's row,
 * and under "nowait" that row lock would collide with the other terminals
 * that recolour or move the same table. The program shows the column only
 * in the tables list, so it simply holds 0.
 */
CREATE TRIGGER MASA_BI FOR MASA
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.MASA_ID IS NULL) THEN
        NEW.MASA_ID = NEXT VALUE FOR MASA_MASA_ID_GEN;
    IF (NEW.ACIK_KAPALI IS NULL) THEN
        NEW.ACIK_KAPALI = 1;
    IF (NEW.TUTAR IS NULL) THEN
        NEW.TUTAR = 0;
END^

/* ------------------------------------------------------------- ADISYON */

/*
 * A new bill is open (ACIK_KAPALI 2), valid (IPTAL_ID 1) and of the only
 * kind (TURU_ID 1); without these the open-bill query of the bill panel
 * would not find it. The bill number shown as "Adisyon No" is the bill's
 * key as text: it is unique, never reused, and needs no counter of its own.
 */
CREATE TRIGGER ADISYON_BI FOR ADISYON
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.ADISYON_ID IS NULL) THEN
        NEW.ADISYON_ID = NEXT VALUE FOR ADISYON_ADISYON_ID_GEN;
    IF (NEW.ACIK_KAPALI IS NULL) THEN
        NEW.ACIK_KAPALI = 2;
    IF (NEW.IPTAL_ID IS NULL) THEN
        NEW.IPTAL_ID = 1;
    IF (NEW.TURU_ID IS NULL) THEN
        NEW.TURU_ID = 1;
    IF (NEW.TARIH IS NULL) THEN
        NEW.TARIH = CURRENT_TIMESTAMP;
    IF (NEW.FIS_NO IS NULL) THEN
        NEW.FIS_NO = CAST(NEW.ADISYON_ID AS VARCHAR(20));
END^

/*
 * The program writes every column back when it updates a bill, FIS_NO
 * included, although it never sets it. Should it ever send it empty, the
 * bill keeps the number it was given.
 */
CREATE TRIGGER ADISYON_BU FOR ADISYON
ACTIVE BEFORE UPDATE POSITION 0
AS
BEGIN
    IF (NEW.FIS_NO IS NULL) THEN
        NEW.FIS_NO = COALESCE(OLD.FIS_NO, CAST(NEW.ADISYON_ID AS VARCHAR(20)));
END^

/*
 * Only the saved-bills browser deletes a bill outright, and it deletes the
 * bill row alone. Its lines would then belong to no bill: nothing could
 * show, count or remove them any more. They go with their bill.
 */
CREATE TRIGGER ADISYON_AD FOR ADISYON
ACTIVE AFTER DELETE POSITION 0
AS
BEGIN
    DELETE FROM STOK_HAREKET WHERE ADISYON_ID = OLD.ADISYON_ID;
END^

/* -------------------------------------------------------- STOK_HAREKET */

/*
 * The program inserts a line with only its key, the product, the bill and
 * GC_ID. The line is valid, sells one unit and takes the product's code,
 * name, group, price and unit as they are at this moment, so that later
 * changes to the product never alter a bill already written.
 */
CREATE TRIGGER STOK_HAREKET_BI FOR STOK_HAREKET
ACTIVE BEFORE INSERT POSITION 0
AS
    DECLARE VARIABLE V_STOK_KODU TYPE OF COLUMN STOK.STOK_KODU;
    DECLARE VARIABLE V_STOK_ADI  TYPE OF COLUMN STOK.STOK_ADI;
    DECLARE VARIABLE V_GRUP_ID   TYPE OF COLUMN STOK.GRUP_ID;
    DECLARE VARIABLE V_FIYAT     TYPE OF COLUMN STOK.FIYAT;
    DECLARE VARIABLE V_BIRIM     TYPE OF COLUMN STOK.BIRIM;
BEGIN
    IF (NEW.SN IS NULL) THEN
        NEW.SN = NEXT VALUE FOR STOK_HAREKET_SN_GEN;
    IF (NEW.IPTAL_ID IS NULL) THEN
        NEW.IPTAL_ID = 1;
    IF (NEW.CIKAN IS NULL) THEN
        NEW.CIKAN = 1;
    IF (NEW.TARIH IS NULL) THEN
        NEW.TARIH = CURRENT_TIMESTAMP;

    IF (NEW.STOK_ID IS NOT NULL) THEN
    BEGIN
        SELECT STOK_KODU, STOK_ADI, GRUP_ID, FIYAT, BIRIM
          FROM STOK
         WHERE STOK_ID = NEW.STOK_ID
          INTO :V_STOK_KODU, :V_STOK_ADI, :V_GRUP_ID, :V_FIYAT, :V_BIRIM;
        NEW.STOK_KODU = COALESCE(NEW.STOK_KODU, V_STOK_KODU);
        NEW.STOK_ADI  = COALESCE(NEW.STOK_ADI, V_STOK_ADI);
        NEW.GRUP_ID   = COALESCE(NEW.GRUP_ID, V_GRUP_ID);
        NEW.FIYAT     = COALESCE(NEW.FIYAT, V_FIYAT);
        NEW.BIRIM     = COALESCE(NEW.BIRIM, V_BIRIM);
    END
END^

/*
 * The line amounts are always derived, never taken from the program: the
 * program writes back the amounts it read, and the quantity keypad and the
 * discount statement change only CIKAN or ISKONTO. Computing them on every
 * insert and update keeps them right whatever changed. ISKONTO is a
 * percentage. A missing quantity or price counts as 0, so the amounts are
 * never NULL and the bill's sums never skip a line. The amounts are not
 * rounded: the program formats them for display, and rounding every line
 * would make the bill's total drift from the sum of its lines.
 */
CREATE TRIGGER STOK_HAREKET_BIU_TUTAR FOR STOK_HAREKET
ACTIVE BEFORE INSERT OR UPDATE POSITION 10
AS
BEGIN
    NEW.TUTAR = COALESCE(NEW.CIKAN, 0) * COALESCE(NEW.FIYAT, 0);
    NEW.ISKONTO_TUTAR = NEW.TUTAR * COALESCE(NEW.ISKONTO, 0) / 100;
    NEW.ARA_TUTAR = NEW.TUTAR - NEW.ISKONTO_TUTAR;
END^

/* ---------------------------------------------------------------- STOK */

/*
 * The product editor stores a product's group by name only, while order
 * entry finds products by GRUP_ID; so GRUP_ID always follows GRUP_ADI. When
 * two groups carry the same name, a product stays with the group it already
 * belongs to, and otherwise goes to the older one.
 */
CREATE TRIGGER STOK_BIU FOR STOK
ACTIVE BEFORE INSERT OR UPDATE POSITION 0
AS
    DECLARE VARIABLE V_GRUP_ID TYPE OF COLUMN GRUP.GRUP_ID;
BEGIN
    IF (INSERTING AND NEW.STOK_ID IS NULL) THEN
        NEW.STOK_ID = NEXT VALUE FOR STOK_STOK_ID_GEN;

    V_GRUP_ID = NULL;
    IF (NEW.GRUP_ADI IS NOT NULL) THEN
        SELECT FIRST 1 GRUP_ID
          FROM GRUP
         WHERE GRUP_ADI = NEW.GRUP_ADI
         ORDER BY IIF(GRUP_ID = NEW.GRUP_ID, 0, 1), GRUP_ID
          INTO :V_GRUP_ID;
    NEW.GRUP_ID = V_GRUP_ID;
END^

/* ---------------------------------------------------------------- GRUP */

CREATE TRIGGER GRUP_BI FOR GRUP
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.GRUP_ID IS NULL) THEN
        NEW.GRUP_ID = NEXT VALUE FOR GRUP_GRUP_ID_GEN;
END^

/*
 * A product that names a group which did not exist yet joins the group as
 * soon as a group of that name appears.
 */
CREATE TRIGGER GRUP_AI FOR GRUP
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
    IF (NEW.GRUP_ADI IS NOT NULL) THEN
        UPDATE STOK SET GRUP_ID = NEW.GRUP_ID
         WHERE GRUP_ID IS NULL AND GRUP_ADI = NEW.GRUP_ADI;
END^

/*
 * Renaming a group renames it in its products too, so that GRUP_ID and
 * GRUP_ADI never drift apart; products that named the new name without a
 * group join it as on insert.
 */
CREATE TRIGGER GRUP_AU FOR GRUP
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
    IF (NEW.GRUP_ADI IS DISTINCT FROM OLD.GRUP_ADI
        OR NEW.GRUP_ID IS DISTINCT FROM OLD.GRUP_ID) THEN
    BEGIN
        UPDATE STOK SET GRUP_ADI = NEW.GRUP_ADI
         WHERE GRUP_ID = OLD.GRUP_ID;
        IF (NEW.GRUP_ADI IS NOT NULL) THEN
            UPDATE STOK SET GRUP_ID = NEW.GRUP_ID
             WHERE GRUP_ID IS NULL AND GRUP_ADI = NEW.GRUP_ADI;
    END
END^

/*
 * The groups list asks "Grup ve bu gruba bağlı stoklar kalıcı olarak
 * silinecek!" and then deletes only the group row: its products go here.
 * Bill lines keep their own copy of the product data and stay as they are.
 */
CREATE TRIGGER GRUP_AD FOR GRUP
ACTIVE AFTER DELETE POSITION 0
AS
BEGIN
    DELETE FROM STOK WHERE GRUP_ID = OLD.GRUP_ID;
END^

/* --------------------------------------------------------------- BIRIM */

CREATE TRIGGER BIRIM_BI FOR BIRIM
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (NEW.SN IS NULL) THEN
        NEW.SN = NEXT VALUE FOR BIRIM_SN_GEN;
END^

/* ------------------------------------------------------------- AYARLAR */

/*
 * The program reads the first settings row and updates "the" row without a
 * key, so a second row would be silently ignored or, worse, updated along
 * with the first; and without any row the program cannot start. A unique
 * index (05_indexes.sql) also stops two terminals that insert at once.
 */
CREATE TRIGGER AYARLAR_BI FOR AYARLAR
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
    IF (EXISTS (SELECT * FROM AYARLAR)) THEN
        EXCEPTION E_AYARLAR_IKINCI_SATIR;
END^

CREATE TRIGGER AYARLAR_BD FOR AYARLAR
ACTIVE BEFORE DELETE POSITION 0
AS
BEGIN
    EXCEPTION E_AYARLAR_SILINEMEZ;
END^

SET TERM ; ^

COMMIT;
