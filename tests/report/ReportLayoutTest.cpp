// Laying templates out into pages: page breaks, repeated headers and footers,
// sums over the rows a band printed, roll paper, groups, stretching.
#include "ReportTestSupport.h"

#include "platform/report/ReportPage.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace report;
using namespace report::test;

namespace {

MemoryDataset names(int count)
{
    MemoryDataset rows({"NAME"});
    for (int i = 1; i <= count; ++i)
        rows.appendRow({QStringLiteral("Ürün %1").arg(i)});
    return rows;
}

class Layout : public ::testing::Test {
protected:
    QStringList pages(ReportDataset& data, double rowHeight = 20)
    {
        report.setDataset("Ds_1", &data);
        report.loadFromData(listTemplate(rowHeight));
        report.prepare();
        EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
        return preparedText(report).split('\f');
    }
    Report report;
};

TEST_F(Layout, ShortListFitsOnePageInBandOrder)
{
    MemoryDataset rows = names(3);
    EXPECT_EQ(pages(rows), QStringList{"KAFE RAPORU\nAd\n1. Ürün 1\n2. Ürün 2\n3. Ürün 3\n"
                                       "Satır sayısı 3\nSayfa 1/1 sayfa satırı 3"});
}

TEST_F(Layout, LongMasterBandBreaksPagesAndRepeatsThePageHeaderAndFooter)
{
    // A4 with 10 mm margins leaves 1047.6 units; less the page header (20) and
    // the page footer (20), 1007.6 units: the header row (20) and 49 rows of 20 fit.
    MemoryDataset rows = names(120);
    const QStringList printed = pages(rows);
    ASSERT_EQ(printed.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(printed[i].startsWith("KAFE RAPORU\n")) << i;
        EXPECT_TRUE(printed[i].endsWith(QStringLiteral("Sayfa %1/3 sayfa satırı %2").arg(i + 1).arg(i < 2 ? 49 + (i == 1) : 21)))
            << printed[i].right(60).toStdString();
    }
    EXPECT_TRUE(printed[0].contains("\nAd\n1. Ürün 1\n"));
    EXPECT_TRUE(printed[0].contains("49. Ürün 49\nSayfa 1/3"));
    EXPECT_TRUE(printed[1].startsWith("KAFE RAPORU\n50. Ürün 50\n"));  // the column header is not repeated
    EXPECT_TRUE(printed[2].contains("120. Ürün 120\nSatır sayısı 120\nSayfa 3/3"));
    // Every page has the size of its paper and nothing below the bottom margin.
    for (int i = 0; i < report.pageCount(); ++i) {
        const PreparedPage& page = report.preparedPages().page(i);
        EXPECT_EQ(page.paperMm, QSizeF(210, 297));
        for (const PreparedItem& item : page.items)
            EXPECT_LE(item.rect.bottom(), 287 * UnitsPerMm + 0.01);
    }
}

TEST_F(Layout, HeaderMarkedToReprintRepeatsOnEveryPage)
{
    MemoryDataset rows = names(60);
    QByteArray xml = listTemplate();
    xml.replace("Name=\"Header1\"", "Name=\"Header1\" ReprintOnNewPage=\"True\"");
    report.setDataset("Ds_1", &rows);
    report.loadFromData(xml);
    report.prepare();
    const QStringList printed = preparedText(report).split('\f');
    ASSERT_EQ(printed.size(), 2);
    EXPECT_TRUE(printed[1].startsWith("KAFE RAPORU\nAd\n50. Ürün 50\n"));
}

TEST_F(Layout, EmptyDatasetPrintsNeitherRowsNorTheirHeaderAndFooter)
{
    MemoryDataset rows = names(0);
    EXPECT_EQ(pages(rows), QStringList{"KAFE RAPORU\nSayfa 1/1 sayfa satırı 0"});
}

TEST_F(Layout, DatasetsNotDrivingABandAreReadAtTheirCurrentRow)
{
    MemoryDataset tables({"MASA_ADI"}, {{"Bahçe 1"}, {"Bahçe 2"}, {"Salon 3"}});
    tables.setCurrentRow(1);
    report.setDataset("ds_3", &tables);
    report.loadFromData(memoTemplate("Masa: [ds_3.\"MASA_ADI\"]"));
    report.prepare();
    EXPECT_EQ(preparedText(report), "Masa: Bahçe 2");
    EXPECT_EQ(tables.currentRow(), 1);
}

TEST_F(Layout, RollPaperIsAsLongAsItsContent)
{
    QByteArray xml = listTemplate();
    xml.replace("PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\"", "PaperWidth=\"80\" PaperHeight=\"200\" PaperSize=\"256\"");
    MemoryDataset few = names(2);
    report.setDataset("Ds_1", &few);
    report.loadFromData(xml);
    ASSERT_TRUE(report.reportTemplate().pages()[0]->isRollPaper());
    report.prepare();
    ASSERT_EQ(report.pageCount(), 1);
    // Page header, column header, 2 rows, footer, page footer: 6 bands of 20 units, plus margins.
    EXPECT_NEAR(report.preparedPages().page(0).paperMm.height(), 6 * 20 / UnitsPerMm + 20, 0.001);

    MemoryDataset many = names(300);
    report.setDataset("Ds_1", &many);
    report.prepare();
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_NEAR(report.preparedPages().page(0).paperMm.height(), 304 * 20 / UnitsPerMm + 20, 0.001);
    EXPECT_TRUE(preparedText(report).endsWith("300. Ürün 300\nSatır sayısı 300\nSayfa 1/1 sayfa satırı 300"));
}

TEST_F(Layout, SumsCountOnlyTheRowsTheirBandPrinted)
{
    // Two master bands over two datasets; each footer sums its own rows, the
    // summary sums across the report.
    const QByteArray xml = R"(<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxMasterData Name="Cash" Top="10" Width="700" Height="20" DataSetName="Ds_1">
      <TfrxMemoView Name="m1" Width="300" Height="20" Text="[Ds_1.&#34;A&#34;]"/>
    </TfrxMasterData>
    <TfrxFooter Name="CashFooter" Top="40" Width="700" Height="20">
      <TfrxMemoView Name="m2" Width="300" Height="20" Text="Σ1 [SUM(&#60;Ds_1.&#34;A&#34;&#62;, Cash)] n=[COUNT(Cash)]"/>
    </TfrxFooter>
    <TfrxMasterData Name="Card" Top="70" Width="700" Height="20" DataSetName="Ds_2">
      <TfrxMemoView Name="m3" Width="300" Height="20" Text="[Ds_2.&#34;B&#34;]"/>
    </TfrxMasterData>
    <TfrxFooter Name="CardFooter" Top="100" Width="700" Height="20">
      <TfrxMemoView Name="m4" Width="300" Height="20" Text="Σ2 [SUM(&#60;Ds_2.&#34;B&#34;&#62;)] ort [AVG(&#60;Ds_2.&#34;B&#34;&#62;, Card)] max [MAX(&#60;Ds_2.&#34;B&#34;&#62;, Card)]"/>
    </TfrxFooter>
    <TfrxReportSummary Name="Summary" Top="140" Width="700" Height="20">
      <TfrxMemoView Name="m5" Width="500" Height="20" DisplayFormat.Kind="fkNumeric" DisplayFormat.FormatStr="###,##0.00" Text="Genel [SUM(&#60;Ds_1.&#34;A&#34;&#62;, Cash) + SUM(&#60;Ds_2.&#34;B&#34;&#62;, Card)]"/>
    </TfrxReportSummary>
  </TfrxReportPage>
</TfrxReport>)";
    MemoryDataset cash({"A"}, {{10.5}, {QVariant()}, {4}});
    MemoryDataset card({"B"}, {{100}, {250}});
    report.setDataset("Ds_1", &cash);
    report.setDataset("Ds_2", &card);
    report.loadFromData(xml);
    report.prepare();
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_EQ(preparedText(report), "10,5\n\n4\nΣ1 14,5 n=3\n100\n250\nΣ2 350 ort 175 max 250\nGenel 364,50");
}

TEST_F(Layout, GroupsPrintHeadersAndFootersWhenTheConditionChanges)
{
    const QByteArray xml = R"(<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxGroupHeader Name="Group1" Top="10" Width="700" Height="20" Condition="Ds_1.&#34;GRUP&#34;">
      <TfrxMemoView Name="g1" Width="300" Height="20" Text="# [Ds_1.&#34;GRUP&#34;]"/>
    </TfrxGroupHeader>
    <TfrxMasterData Name="Rows" Top="40" Width="700" Height="20" DataSetName="Ds_1">
      <TfrxMemoView Name="r" Width="300" Height="20" Text="[Line#] [Ds_1.&#34;AD&#34;]"/>
    </TfrxMasterData>
    <TfrxGroupFooter Name="GroupFooter1" Top="70" Width="700" Height="20">
      <TfrxMemoView Name="f1" Width="300" Height="20" Text="= [Ds_1.&#34;GRUP&#34;] [SUM(&#60;Ds_1.&#34;N&#34;&#62;, Rows)]"/>
    </TfrxGroupFooter>
  </TfrxReportPage>
</TfrxReport>)";
    MemoryDataset rows({"GRUP", "AD", "N"},
                       {{"İçecek", "Çay", 2}, {"İçecek", "Su", 1}, {"Tatlı", "Baklava", 5}});
    report.setDataset("Ds_1", &rows);
    report.loadFromData(xml);
    report.prepare();
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_EQ(preparedText(report), "# İçecek\n1 Çay\n2 Su\n= İçecek 3\n# Tatlı\n3 Baklava\n= Tatlı 5");
}

// Lines of the bill the master dataset stands on, as a data layer's detail query gives them.
class LinesOfCurrentBill : public ReportDataset {
public:
    explicit LinesOfCurrentBill(const MemoryDataset& bills) : bills_(bills) {}
    QStringList fieldNames() const override { return {"URUN"}; }
    void first() override { row_ = 0; }
    bool eof() const override { return row_ >= rows().size(); }
    void next() override { ++row_; }
    QVariant value(const QString&) const override { return eof() ? QVariant() : rows()[row_]; }

private:
    QStringList rows() const
    {
        const QString bill = bills_.value("NO").toString();
        return bill == "1" ? QStringList{"Çay", "Simit"} : bill == "3" ? QStringList{"Su"} : QStringList{};
    }
    const MemoryDataset& bills_;
    int row_ = 0;
};

TEST_F(Layout, DetailBandPrintsTheRowsOfEachMasterRowAndSkipsMastersWithoutAny)
{
    const QByteArray xml = R"(<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxMasterData Name="Bills" Top="10" Width="700" Height="20" DataSetName="Ds_1">
      <TfrxMemoView Name="b" Width="300" Height="20" Text="Adisyon [Ds_1.&#34;NO&#34;]"/>
    </TfrxMasterData>
    <TfrxDetailData Name="Lines" Top="40" Width="700" Height="20" DataSetName="Ds_2">
      <TfrxMemoView Name="l" Left="20" Width="300" Height="20" Text="[Line#] [Ds_2.&#34;URUN&#34;]"/>
    </TfrxDetailData>
    <TfrxFooter Name="LinesFooter" Top="70" Width="700" Height="20">
      <TfrxMemoView Name="f" Left="20" Width="300" Height="20" Text="[COUNT(Lines)] kalem"/>
    </TfrxFooter>
  </TfrxReportPage>
</TfrxReport>)";
    MemoryDataset bills({"NO"}, {{1}, {2}, {3}});
    LinesOfCurrentBill lines(bills);
    report.setDataset("Ds_1", &bills);
    report.setDataset("Ds_2", &lines);
    report.loadFromData(xml);
    report.prepare();
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_EQ(preparedText(report), "Adisyon 1\n1 Çay\n2 Simit\n2 kalem\nAdisyon 3\n1 Su\n1 kalem");

    QByteArray printEmpty = xml;
    printEmpty.replace("DataSetName=\"Ds_1\"", "DataSetName=\"Ds_1\" PrintIfDetailEmpty=\"True\"");
    report.loadFromData(printEmpty);
    report.prepare();
    EXPECT_TRUE(preparedText(report).contains("2 kalem\nAdisyon 2\nAdisyon 3\n"));
}

TEST_F(Layout, ChildBandFollowsItsBandAndStartNewPageBreaks)
{
    const QByteArray xml = R"(<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxChild Name="Child1" Top="300" Width="700" Height="20">
      <TfrxMemoView Name="c" Width="300" Height="20" Text="alt bilgi"/>
    </TfrxChild>
    <TfrxReportTitle Name="Title" Top="10" Width="700" Height="20" Child="Child1">
      <TfrxMemoView Name="t" Width="300" Height="20" Text="başlık"/>
    </TfrxReportTitle>
    <TfrxReportSummary Name="Summary" Top="100" Width="700" Height="20" StartNewPage="True">
      <TfrxMemoView Name="s" Width="300" Height="20" Text="özet [Page#]"/>
    </TfrxReportSummary>
  </TfrxReportPage>
</TfrxReport>)";
    report.loadFromData(xml);
    report.prepare();
    EXPECT_EQ(preparedText(report).split('\f'), QStringList({"başlık\nalt bilgi", "özet 2"}));
}

TEST_F(Layout, StretchedBandGrowsWithWrappedTextAndMovesWhatIsBelow)
{
    const QByteArray xml = R"(<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxMasterData Name="Rows" Top="40" Width="700" Height="40" DataSetName="Ds_1" Stretched="True">
      <TfrxMemoView Name="text" Width="80" Height="18" StretchMode="smActualHeight" Text="[Ds_1.&#34;AD&#34;]"/>
      <TfrxMemoView Name="below" Top="20" Width="80" Height="18" Text="alt"/>
    </TfrxMasterData>
    <TfrxReportSummary Name="Summary" Top="100" Width="700" Height="20">
      <TfrxMemoView Name="end" Width="80" Height="18" Text="son"/>
    </TfrxReportSummary>
  </TfrxReportPage>
</TfrxReport>)";
    MemoryDataset rows({"AD"}, {{"kısa"}, {"çok uzun bir ürün adı burada satırlara bölünür"}});
    report.setDataset("Ds_1", &rows);
    report.loadFromData(xml);
    report.prepare();
    const QList<PreparedItem>& items = report.preparedPages().page(0).items;
    ASSERT_EQ(items.size(), 5);
    const double top = 10 * UnitsPerMm;
    EXPECT_EQ(items[0].lines.size(), 1);
    // A memo of actual height takes the height of its one line, and "alt" follows it.
    EXPECT_NEAR(items[1].rect.top(), top + 20 + items[0].rect.height() - 18, 0.001);
    EXPECT_GT(items[2].lines.size(), 2);                  // the long name wraps
    EXPECT_EQ(items[2].text().remove('\n').remove(' '), QString("çokuzunbirürünadıburadasatırlarabölünür"));
    const double grown = items[2].rect.height() - 18;
    EXPECT_GT(grown, 0);
    // "alt" moved down with it. The first row's band grows too where its own "alt", pushed down by a
    // font whose one line is taller than 18, no longer fits in 40.
    const double secondRowTop = std::max(top + 40, items[1].rect.bottom());
    EXPECT_NEAR(items[3].rect.top(), secondRowTop + 20 + grown, 0.001);
    EXPECT_NEAR(items[4].rect.top(), items[3].rect.bottom(), 0.001); // the summary follows the grown band
}

TEST_F(Layout, TooManyPagesStopTheRunWithAnError)
{
    // One row a page, 12000 rows: more than the 10000 pages a report may have.
    MemoryDataset rows = names(12000);
    report.setDataset("Ds_1", &rows);
    report.loadFromData(listTemplate(900));
    EXPECT_THROW(report.prepare(), ReportError);
    EXPECT_EQ(report.pageCount(), 0);
}

}  // namespace

namespace {

struct RunawayCase {
    const char* name;
    const char* bands;
    const char* messagePart;
};

void PrintTo(const RunawayCase& c, std::ostream* out)
{
    *out << c.name;
}

class RunawayTemplates : public ::testing::TestWithParam<RunawayCase> {};

TEST_P(RunawayTemplates, StopWithAnErrorInsteadOfExhaustingMemory)
{
    const QString xml = QStringLiteral(
        "<TfrxReport><TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
        "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">%1</TfrxReportPage></TfrxReport>")
                            .arg(QString::fromUtf8(GetParam().bands));
    Report report;
    report.loadFromData(xml.toUtf8());
    try {
        report.prepare();
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.message().contains(GetParam().messagePart)) << e.message().toStdString();
    }
    EXPECT_EQ(report.pageCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, RunawayTemplates,
    ::testing::Values(
        RunawayCase{"rows within rows",
                    "<TfrxMasterData Name=\"M\" Top=\"10\" Height=\"0\" RowCount=\"100000\"/>"
                    "<TfrxDetailData Name=\"D\" Top=\"20\" Height=\"0\" RowCount=\"100000\"/>",
                    "1000000 satırdan fazla veri"},
        RunawayCase{"objects on a band of no height",
                    "<TfrxMasterData Name=\"M\" Top=\"10\" Height=\"0\" RowCount=\"100000\">"
                    "<TfrxLineView Width=\"10\"/><TfrxLineView Width=\"10\"/><TfrxLineView Width=\"10\"/>"
                    "<TfrxLineView Width=\"10\"/><TfrxLineView Width=\"10\"/><TfrxLineView Width=\"10\"/>"
                    "</TfrxMasterData>",
                    "500000 nesneden fazla basılacak nesne"}));

}  // namespace
