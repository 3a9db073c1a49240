/*
 * The one settings row, with defaults that work out of the box.
 *
 * Colours are 0x00BBGGRR: a free table is a calm dark green (R 46, G 125,
 * B 50), an occupied one a clear red (R 198, G 40, B 40), and the captions
 * are white, which reads well on both (contrast above 5:1 on each).
 * The bill number prefix and counter are offered by the settings window but
 * not used: a bill's number is its key (see 03_triggers.sql).
 */

INSERT INTO AYARLAR (
    MASA_H, MASA_W, MASA_FONT_SIZE, MASA_COLOR, MASA_FONT_COLOR,
    M_ADISYON, N_ADISYON, KASA_UYARI, BANKA_UYARI, MASA_COLOR_2,
    PNL_MASA_H, GRD_1_W, GRD_1_FONT_SIZE, GRD_2_W, GRD_2_FONT_SIZE,
    M_STOK_KODU, N_STOK_KODU, STOK_GRUPLA, KULLANICI_ADI, KULLANICI_SIFRE,
    RAPOR_TARIH, YAZICI, BENI_HATIRLA
) VALUES (
    80, 120, 12, 3308846, 16777215,
    '', 0, 'False', 'False', 2631878,
    260, 250, 14, 350, 14,
    'STK', 0, 'False', 'admin', '1234',
    'Kapanış', '', 'False'
);

COMMIT;
