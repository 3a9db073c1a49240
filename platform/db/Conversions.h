#pragma once

#include <QDateTime>
#include <QString>

// Text and number conversions the way the program's users see them: the
// decimal separator of the user's locale (QLocale()), no thousands grouping in
// plain text copies.
namespace db {

// Plain decimal text of a number with at most 15 significant digits, the way
// a sum is copied as text into a bill.
QString floatToText(double value);

// Reads a decimal number written with the locale's decimal separator.
// Throws ConversionError with "'<text>' is not a valid floating point value",
// the text users of the program have always seen from the keypad.
double strToFloat(const QString& text);

// Same reading, no exception.
bool tryStrToFloat(const QString& text, double* value);

// Reads a whole number; surrounding blanks are allowed.
bool tryStrToInt(const QString& text, qint64* value);

// Default text of a date and time (the locale's short date, seconds kept).
QString dateTimeToText(const QDateTime& value);
bool tryTextToDateTime(const QString& text, QDateTime* value);

}  // namespace db
