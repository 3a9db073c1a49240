#include "TextDecoding.h"

namespace report {

QChar cp1254Char(unsigned char byte)
{
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0xFFFD, 0xFFFD,
        0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0xFFFD, 0x0178};
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(high[byte - 0x80]);
    switch (byte) {
    case 0xD0: return QChar(0x011E);  // Ğ
    case 0xDD: return QChar(0x0130);  // İ
    case 0xDE: return QChar(0x015E);  // Ş
    case 0xF0: return QChar(0x011F);  // ğ
    case 0xFD: return QChar(0x0131);  // ı
    case 0xFE: return QChar(0x015F);  // ş
    default: return QChar(char16_t(byte));
    }
}

namespace {

// Length of the valid UTF-8 sequence at data[i], or 0 when there is none.
int utf8SequenceLength(const unsigned char* data, qsizetype size, qsizetype i, char32_t* code)
{
    const unsigned char lead = data[i];
    int length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char c = data[i + k];
        if ((c & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (c & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}

}  // namespace

QString decodeTolerantUtf8(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        i = 3;
    QString text;
    text.reserve(size - i);
    while (i < size) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            text.append(QChar(char16_t(c)));
            ++i;
            continue;
        }
        char32_t code = 0;
        const int length = utf8SequenceLength(data, size, i, &code);
        if (length == 0) {
            text.append(cp1254Char(c));
            ++i;
        } else {
            const char32_t one[1] = {code};
            text.append(QString::fromUcs4(one, 1));
            i += length;
        }
    }
    return text;
}

}  // namespace report
