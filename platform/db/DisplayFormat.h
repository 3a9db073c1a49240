#pragma once

#include <QString>

namespace db {

// Picture formats of numbers ("###,###,##0.##", "###,###,##0.00TL"):
// 0 a digit always shown, # a digit shown when significant, "," grouping,
// "." the decimal point; anything before or after the picture is literal.
// The separators shown are those of the user's locale.
QString formatNumber(double value, const QString& picture);

}  // namespace db
