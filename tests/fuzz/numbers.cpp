#include "FuzzTarget.h"

#include "bills/u_F_Adisyon.h"
#include "platform/db/Conversions.h"
#include "platform/db/Error.h"
#include "platform/db/Values.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

[[noreturn]] void broken(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: '%s'\n", what, text.toUtf8().constData());
    std::abort();
}

// What the keypad's buttons can type: digits and at most one ",".
bool keypadShaped(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]{1,15}(,[0-9]{0,5})?$"));
    return shape.match(text).hasMatch();
}

void keypad(const QString& text)
{
    double value = 0;
    bool read = true;
    try {
        value = TF_Adisyon::keypadNumber(text);
    } catch (const db::ConversionError&) {
        read = false;
    }
    if (keypadShaped(text)) {
        const QByteArray plain = QString(text).replace(u',', u'.').toLatin1();
        if (!read || value != std::strtod(plain.constData(), nullptr))
            broken("the keypad misread a number it can type", text);
    }
}

// What an input box or a data-aware edit gives the data layer.
void typed(const QString& text)
{
    double number = 0;
    if (db::tryStrToFloat(text, &number)) {
        if (!std::isfinite(number))
            broken("a typed number is not finite", text);
        double again = 0;
        const QString shown = db::floatToText(number);
        if (!db::tryStrToFloat(shown, &again) || std::fabs(again - number) > 1e-14 * std::fabs(number))
            broken("a number shown as text does not read back", text + QStringLiteral(" -> ") + shown);
    }
    qint64 whole = 0;
    if (db::tryStrToInt(text, &whole)) {
        qint64 again = 0;
        if (!db::tryStrToInt(QString::number(whole), &again) || again != whole)
            broken("a whole number does not read back", text);
    }
    QDateTime when;
    if (db::tryTextToDateTime(text, &when) && !when.isValid())
        broken("an invalid date and time was accepted", text);

    static const db::FieldType types[] = {
        db::FieldType::SmallInt, db::FieldType::Integer, db::FieldType::BigInt,    db::FieldType::Double,
        db::FieldType::Scaled,   db::FieldType::Text,    db::FieldType::Timestamp, db::FieldType::Date,
        db::FieldType::Time,     db::FieldType::Boolean, db::FieldType::Bytes};
    for (const db::FieldType type : types) {
        db::ColumnInfo column;
        column.name = QStringLiteral("ALAN");
        column.type = type;
        column.length = 10;
        column.scale = 2;
        QVariant value;
        try {
            value = db::normalizeValue(text, column, column.name);
        } catch (const db::ConversionError&) {
            continue;
        }
        switch (type) {
        case db::FieldType::SmallInt:
            if (value.isValid() && std::abs(value.toLongLong()) > 32768)
                broken("a small integer column took a number out of its range", text);
            break;
        case db::FieldType::Integer:
            if (value.isValid() && std::abs(value.toLongLong()) > 2147483648LL)
                broken("an integer column took a number out of its range", text);
            break;
        case db::FieldType::Double:
        case db::FieldType::Scaled:
            if (value.isValid() && !std::isfinite(value.toDouble()))
                broken("a number column took a value that is not finite", text);
            break;
        case db::FieldType::Text:
            if (value.toString().size() > column.length)
                broken("a text column took a text longer than the column", text);
            break;
        default: break;
        }
    }
}

}  // namespace

// The first byte picks the user's locale, the rest is the text typed on the
// keypad of the order entry or into an input box or edit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const QLocale locales[] = {QLocale(QLocale::Turkish, QLocale::Turkey), QLocale::c(),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    QLocale::setDefault(locales[data[0] % 4]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    keypad(text);
    typed(text);
    return 0;
}
