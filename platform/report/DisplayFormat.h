#pragma once

#include "platform/db/DisplayFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace report {

// How a value prints in a memo without a display format: numbers without
// grouping and with the locale's decimal separator ("12,5"), whole numbers
// without decimals, dates in the locale's short form, a date and time with
// the time when it is not midnight, NULL as nothing.
QString defaultText(const QVariant& value, const QLocale& locale = QLocale());

// Numbers in picture formats: the same as the fields' display formats.
using db::formatPicture;

// printf-style formats of the Delphi Format function: %d, %u, %x, %s, %e,
// %f (fixed), %n (fixed with grouping), %m (money, in the locale's currency
// style) and %g (general), with optional "-", width and ".precision".
QString formatPrintf(const QVariant& value, const QString& format, const QString& decimalSeparator = {},
                     const QString& thousandSeparator = {}, const QLocale& locale = QLocale());
// The format has a printf conversion rather than a picture.
bool isPrintfFormat(const QString& format);

// A date and time in a Delphi FormatDateTime format ("dd.mm.yyyy hh:nn:ss";
// "m" after an hour is the minute; "/" and ":" are the locale's separators).
QString formatDateTime(const QString& format, const QDateTime& value, const QLocale& locale = QLocale());

// A memo's display format.
class DisplayFormat {
public:
    enum class Kind { Text, Numeric, DateTime, Boolean };

    DisplayFormat() = default;
    DisplayFormat(Kind kind, QString format, QString decimalSeparator = {}, QString thousandSeparator = {});

    Kind kind() const { return kind_; }
    QString format() const { return format_; }

    // Numbers under a numeric format, dates under a date format, true and
    // false under a boolean format ("No,Yes"); everything else in its default text.
    QString apply(const QVariant& value, const QLocale& locale = QLocale()) const;

private:
    Kind kind_ = Kind::Text;
    QString format_;
    QString decimalSeparator_;
    QString thousandSeparator_;
};

// Helpers shared with expressions.
bool isNullValue(const QVariant& value);
bool isNumericValue(const QVariant& value);
bool isIntegralValue(const QVariant& value);
bool isDateValue(const QVariant& value);
QDateTime toDateTime(const QVariant& value);

}  // namespace report
