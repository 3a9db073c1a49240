#pragma once

#include <QLocale>
#include <QString>

namespace db {

// A number in a picture format, as Delphi's FormatFloat writes it and as
// fields show their display formats ("###,###,##0.##", "###,###,##0.00TL"):
// "0" a digit always shown, "#" a digit shown when significant, ","
// grouping, the first "." the decimal point, text in quotes and every other
// character literal, up to three sections "positive;negative;zero". Rounds
// half away from zero on the value's 15 significant digits. Empty
// separators mean the locale's.
QString formatPicture(double value, const QString& picture, const QString& decimalSeparator = {},
                      const QString& thousandSeparator = {}, const QLocale& locale = QLocale());

// A value rounded to a number of decimals, as digit strings, the way
// formatPicture rounds.
struct Decimal {
    QString integer;   // without leading zeros; empty for zero
    QString fraction;  // exactly the requested number of digits
    bool negative = false;
};
Decimal roundDecimal(double value, int decimals);

// Digits with a separator before every group of three from the right.
QString grouped(const QString& digits, const QString& separator);

}  // namespace db
