// Display formats of memos: printf styles, picture masks, dates and booleans,
// in the Turkish locale the test program sets unless a template gives separators.
#include "platform/report/DisplayFormat.h"

#include <gtest/gtest.h>

using report::DisplayFormat;

namespace {

struct FormatCase {
    DisplayFormat::Kind kind;
    const char* format;
    QVariant value;
    const char* expected;
    const char* decimalSeparator = "";
    const char* thousandSeparator = "";
};

void PrintTo(const FormatCase& c, std::ostream* out)
{
    *out << c.format << " of " << c.value.toString().toStdString();
}

class DisplayFormatCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DisplayFormatCases, FormatsValueExactly)
{
    const FormatCase& c = GetParam();
    const DisplayFormat format(c.kind, QString::fromUtf8(c.format), QString::fromUtf8(c.decimalSeparator),
                               QString::fromUtf8(c.thousandSeparator));
    EXPECT_EQ(format.apply(c.value).toStdString(), std::string(c.expected));
}

const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9));
using K = DisplayFormat::Kind;

INSTANTIATE_TEST_SUITE_P(
    Printf, DisplayFormatCases,
    ::testing::Values(FormatCase{K::Numeric, "%2.2f", 1234.5, "1234,50"},
                      FormatCase{K::Numeric, "%2.2n", 1234.5, "1.234,50"},
                      FormatCase{K::Numeric, "%2.2n", -1234567.891, "-1.234.567,89"},
                      FormatCase{K::Numeric, "%2.2m", 1234.5, "₺1.234,50"},
                      FormatCase{K::Numeric, "%g", 0.5, "0,5"},
                      FormatCase{K::Numeric, "%g", 1234.25, "1234,25"},
                      FormatCase{K::Numeric, "%d", 42.0, "42"},
                      FormatCase{K::Numeric, "%.3f", 1.23456, "1,235"},
                      FormatCase{K::Numeric, "%8.2f", 3.5, "    3,50"},
                      FormatCase{K::Numeric, "Tutar: %2.2f TL", 7, "Tutar: 7,00 TL"},
                      FormatCase{K::Numeric, "%2.2n", 1234.5, "1,234.50", ".", ","}));

INSTANTIATE_TEST_SUITE_P(
    Picture, DisplayFormatCases,
    ::testing::Values(FormatCase{K::Numeric, "###,###,##0.00", 1234.5, "1.234,50"},
                      FormatCase{K::Numeric, "###,###,##0.00TL", 1234.5, "1.234,50TL"},
                      FormatCase{K::Numeric, "###,###,##0.##", 3.0, "3"},
                      FormatCase{K::Numeric, "###,###,##0.##", 2.5, "2,5"},
                      FormatCase{K::Numeric, "###,###,##0.00", 1234567.891, "1.234.567,89"},
                      FormatCase{K::Numeric, "###,###,##0.00", -1234.5, "-1.234,50"},
                      FormatCase{K::Numeric, "###,###,##0.00", 0.0, "0,00"},
                      FormatCase{K::Numeric, "###,###,##0.00", -0.001, "0,00"},
                      FormatCase{K::Numeric, "###,###,##0.00", 2.675, "2,68"},
                      FormatCase{K::Numeric, "###,###,##0.00", 0.005, "0,01"},
                      FormatCase{K::Numeric, "###,###,##0.00", 999.999, "1.000,00"},
                      FormatCase{K::Numeric, "#%", 15, "15%"},
                      FormatCase{K::Numeric, "#.##", 0.5, ",5"},
                      FormatCase{K::Numeric, "0000", 42, "0042"},
                      FormatCase{K::Numeric, "0.00;(0.00);-", -3.5, "(3,50)"},
                      FormatCase{K::Numeric, "0.00;(0.00);-", 0, "-"},
                      FormatCase{K::Numeric, "'TL '#,##0.00", 1500, "TL 1.500,00"},
                      FormatCase{K::Numeric, "###,###,##0.00", 1234.5, "1,234.50", ".", ","},
                      FormatCase{K::Numeric, "###,###,##0.00", 1234.5, "1 234,50", ",", " "}));

INSTANTIATE_TEST_SUITE_P(
    OtherKinds, DisplayFormatCases,
    ::testing::Values(FormatCase{K::DateTime, "dd.mm.yyyy", moment, "05.03.2024"},
                      FormatCase{K::DateTime, "hh:nn:ss", moment, "14:07:09"},
                      FormatCase{K::DateTime, "d/m/yy h:mm", moment, "5.3.24 14:07"},
                      FormatCase{K::DateTime, "mmmm yyyy, dddd", moment, "Mart 2024, Salı"},
                      FormatCase{K::DateTime, "dd.mm.yyyy", QDate(2024, 12, 31), "31.12.2024"},
                      FormatCase{K::Boolean, "Hayır,Evet", true, "Evet"},
                      FormatCase{K::Boolean, "Hayır,Evet", false, "Hayır"},
                      // Values a format is not for keep their own text.
                      FormatCase{K::Numeric, "###,###,##0.00", QStringLiteral("A-17"), "A-17"},
                      FormatCase{K::Text, "", 12.5, "12,5"},
                      FormatCase{K::Text, "", 7, "7"},
                      FormatCase{K::Text, "", 3.0, "3"},
                      FormatCase{K::Numeric, "###,###,##0.00", QVariant(), ""}));

}  // namespace
