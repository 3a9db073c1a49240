// Expressions inside memos, evaluated by a report run over in-memory data.
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace report;
using namespace report::test;

namespace {

struct ExpressionCase {
    const char* memoText;
    const char* printed;
    const char* memoAttributes = "";
};

void PrintTo(const ExpressionCase& c, std::ostream* out)
{
    *out << c.memoText;
}

class ExpressionFixture : public ::testing::Test {
protected:
    ExpressionFixture()
        : bill({"FIS_NO", "TARIH", "CIKAN", "FIYAT", "ADET", "AD", "BOS"},
               {{QStringLiteral("A-17"), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), 2.5, 3.0, 4,
                 QStringLiteral("Çay Ocağı"), QVariant()}}),
          lines({"URUN"}, {{QStringLiteral("Su")}})
    {
        report.setDataset("Ds_1", &bill);
        report.setDataset("Bill lines", &lines);
    }

    QString print(const char* memoText, const char* memoAttributes = "")
    {
        report.loadFromData(memoTemplate(QString::fromUtf8(memoText), QString::fromUtf8(memoAttributes)));
        report.prepare();
        return preparedText(report);
    }

    MemoryDataset bill;
    MemoryDataset lines;
    Report report;
};

class Expressions : public ExpressionFixture, public ::testing::WithParamInterface<ExpressionCase> {};

TEST_P(Expressions, PrintExactly)
{
    const ExpressionCase& c = GetParam();
    EXPECT_EQ(print(c.memoText, c.memoAttributes).toStdString(), std::string(c.printed));
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Expressions,
    ::testing::Values(ExpressionCase{"[Ds_1.\"FIS_NO\"]", "A-17"},
                      ExpressionCase{"[ds_1.\"fis_no\"]", "A-17"},
                      ExpressionCase{"No: [<Ds_1.\"FIS_NO\">]!", "No: A-17!"},
                      ExpressionCase{"[Bill lines.\"URUN\"] / [<Bill lines.\"URUN\">]", "Su / Su"},
                      ExpressionCase{"[<Ds_1.\"BOS\">]", ""},
                      ExpressionCase{"[<Ds_1.\"CIKAN\">]", "2,5"},
                      ExpressionCase{"[<Ds_1.\"TARIH\">]", "5.03.2024 14:07:09"},
                      ExpressionCase{"[Ds_1.\"TARIH\"]", "05.03.2024 14:07",
                                     "DisplayFormat.Kind=\"fkDateTime\" DisplayFormat.FormatStr=\"dd.mm.yyyy hh:nn\""},
                      ExpressionCase{"Adet [Ds_1.\"ADET\"], tutar [Ds_1.\"CIKAN\"]", "Adet 4,00, tutar 2,50",
                                     "DisplayFormat.Kind=\"fkNumeric\" DisplayFormat.FormatStr=\"%2.2f\""}));

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, Expressions,
    ::testing::Values(ExpressionCase{"[<Ds_1.\"CIKAN\"> * <Ds_1.\"FIYAT\">]", "7,5"},
                      ExpressionCase{"[(<Ds_1.\"ADET\"> + 2) * 3]", "18"},
                      ExpressionCase{"[<Ds_1.\"ADET\"> / 8]", "0,5"},
                      ExpressionCase{"[10 - 2 - 3]", "5"},
                      ExpressionCase{"[-<Ds_1.\"CIKAN\"> + 1]", "-1,5"},
                      ExpressionCase{"[7 div 2] [7 mod 2]", "3 1"},
                      ExpressionCase{"[<Ds_1.\"BOS\"> + <Ds_1.\"ADET\">]", "4"},
                      ExpressionCase{"['Masa ' + <Ds_1.\"AD\">]", "Masa Çay Ocağı"},
                      ExpressionCase{"['it''s']", "it's"},
                      ExpressionCase{"Toplam: [1 + 1] TL", "Toplam: 2 TL"},
                      ExpressionCase{"[<Ds_1.\"CIKAN\"> * 2 #n%2.2f]", "5,00"},
                      ExpressionCase{"[IIF(<Ds_1.\"ADET\"> > 3, 'çok', 'az')]", "çok"},
                      ExpressionCase{"[IIF(<Ds_1.\"BOS\"> = '', 'boş', 'dolu')]", "boş"}));

INSTANTIATE_TEST_SUITE_P(
    FunctionsAndSystemValues, Expressions,
    ::testing::Values(ExpressionCase{"[Copy(<Ds_1.\"AD\">, 1, 3)]", "Çay"},
                      ExpressionCase{"[Copy(<Ds_1.\"AD\">, 5, 100)]", "Ocağı"},
                      ExpressionCase{"[Length(<Ds_1.\"AD\">)]", "9"},
                      ExpressionCase{"[FormatDateTime('dd.mm.yyyy hh:nn', <Ds_1.\"TARIH\">)]", "05.03.2024 14:07"},
                      ExpressionCase{"[FormatFloat('###,##0.00', 1234.5)]", "1.234,50"},
                      ExpressionCase{"[UpperCase('ılık')]", "ILIK"},
                      ExpressionCase{"[Page]/[Page#]/[TotalPages#] [<Page#>]", "1/1/1 1"}));

TEST_F(ExpressionFixture, DateAndTimeAreTheMomentOfTheRun)
{
    const QDate today = QDate::currentDate();
    const QString printed = print("[FormatDateTime('dd.mm.yyyy', Date)]");
    // A run across midnight may see the next day.
    EXPECT_TRUE(printed == today.toString("dd.MM.yyyy") || printed == today.addDays(1).toString("dd.MM.yyyy"))
        << printed.toStdString();
    EXPECT_EQ(print("[Time]").size(), 8);
}

// An expression that cannot be evaluated prints nothing, is reported once, and
// the rest of the memo and the report go on.
struct FailureCase {
    const char* memoText;
    const char* printed;
    const char* messagePart;
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.memoText;
}

class FailingExpressions : public ExpressionFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingExpressions, PrintNothingAndAreReportedOnce)
{
    const FailureCase& c = GetParam();
    EXPECT_EQ(print(c.memoText).toStdString(), std::string(c.printed));
    ASSERT_EQ(report.messages().size(), 1) << report.messages().join('\n').toStdString();
    EXPECT_TRUE(report.messages().first().contains(QString::fromUtf8(c.messagePart)))
        << report.messages().first().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailingExpressions,
    ::testing::Values(FailureCase{"a[Ds_9.\"X\"]b", "ab", "Ds_9"},
                      FailureCase{"a[<Ds_1.\"NOPE\">]b", "ab", "NOPE"},
                      FailureCase{"a[1 / 0]b", "ab", "sıfıra bölme"},
                      FailureCase{"a[Foo(1)]b", "ab", "bilinmeyen işlev Foo"},
                      FailureCase{"a[(1 + ]b", "ab", "okunamıyor"},
                      FailureCase{"a[SUM(<Ds_1.\"ADET\">, NoBand)]b", "ab", "NoBand"},
                      FailureCase{"a[Unknown]b [Unknown]", "ab ", "Unknown"}));

TEST_F(ExpressionFixture, HostileExpressionsAreRefusedInsteadOfOverflowingTheStack)
{
    QByteArray longSum = "x[1";
    for (int i = 0; i < 100000; ++i)
        longSum += "+1";
    longSum += "]y";
    EXPECT_EQ(print(longSum.constData()), "xy");
    EXPECT_TRUE(report.messages().value(0).contains("ifade çok uzun"));

    const QByteArray deep = "x[" + QByteArray(100000, '(') + "1" + QByteArray(100000, ')') + "]y";
    EXPECT_EQ(print(deep.constData()), "xy");
    EXPECT_TRUE(report.messages().value(0).contains("çok derin iç içe"));
}

TEST(ExpressionReporting, AFailureInADataBandIsReportedOnceForAllRows)
{
    MemoryDataset rows({"NAME"}, {{"a"}, {"b"}, {"c"}});
    Report report;
    report.setDataset("Ds_1", &rows);
    QByteArray xml = listTemplate();
    xml.replace("[Line#]. [Ds_1.&#34;NAME&#34;]", "[Ds_1.&#34;NAME&#34;][1/0]");
    report.loadFromData(xml);
    report.prepare();
    EXPECT_EQ(report.messages(), QStringList{"\"mName\": [1/0] hesaplanamıyor: sıfıra bölme"});
    EXPECT_TRUE(preparedText(report).contains("a\nb\nc"));
}

}  // namespace
