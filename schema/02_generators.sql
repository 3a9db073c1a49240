/*
 * One generator per table key. The program draws each key itself with
 * GEN_ID(generator, 1) just before it posts a new row; the insert triggers
 * use the same generators only for rows that arrive without a key. Keys are
 * never reused: generators only move forward.
 */

CREATE GENERATOR MASA_MASA_ID_GEN;
CREATE GENERATOR ADISYON_ADISYON_ID_GEN;
CREATE GENERATOR STOK_HAREKET_SN_GEN;
CREATE GENERATOR STOK_STOK_ID_GEN;
CREATE GENERATOR GRUP_GRUP_ID_GEN;
CREATE GENERATOR BIRIM_SN_GEN;

COMMIT;
