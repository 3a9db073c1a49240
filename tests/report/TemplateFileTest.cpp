// Reading and writing templates: the band structure, tolerance of real-world
// files, refusal of unsupported and hostile ones, and a lossless round trip.
#include "ReportTestSupport.h"

#include "platform/report/LineView.h"
#include "platform/report/MemoView.h"
#include "platform/report/PictureView.h"
#include "platform/report/ReportBand.h"
#include "platform/report/ReportPage.h"
#include "platform/report/ShapeView.h"
#include "platform/report/TemplateReader.h"
#include "platform/report/TemplateWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace report;
using namespace report::test;

namespace {

const char* const richTemplate = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="6.9.3" ScriptLanguage="PascalScript" ScriptText.Text="begin&#13;&#10;&#13;&#10;end." ReportOptions.Name="Deneme">
  <Datasets>
    <item DataSet="dt_1" DataSetName="Ds_1"/>
  </Datasets>
  <Variables>
    <item Name=" Genel"/>
    <item Name="Baslik" Value="'Kafe'"/>
  </Variables>
  <TfrxDataPage Name="Data" Height="1000" Width="1000"/>
  <TfrxReportPage Name="Page1" PaperWidth="297" PaperHeight="210" PaperSize="9" Orientation="poLandscape" LeftMargin="12,5" RightMargin="10" TopMargin="7.5" BottomMargin="10" Font.Name="Tahoma" Font.Height="-11">
    <TfrxMasterData Name="MasterData1" Left="0" Top="120,5" Width="1009" Height="18.9" DataSet="dt_1" DataSetName="Ds_1" RowCount="0">
      <TfrxMemoView Name="Memo1" Left="3,78" Top="0" Width="94.49" Height="18.9" HAlign="haRight" VAlign="vaCenter" WordWrap="False" Frame.Typ="15" Frame.Width="0,5" Frame.Color="255" DisplayFormat.Kind="fkNumeric" DisplayFormat.FormatStr="%2.2n" DisplayFormat.DecimalSeparator="," Text="[Ds_1.&#34;FIYAT&#34;]&#13;&#10;ikinci satır"/>
      <TfrxMemoView Name="Memo2" Left="100" Top="0" Width="50" Height="18.9" Text="düz"/>
      <TfrxLineView Name="Line1" Left="0" Top="18" Width="500" Height="0" Frame.Width="2" Diagonal="False"/>
      <TfrxShapeView Name="Shape1" Left="600" Top="0" Width="40" Height="18" Shape="skEllipse" Color="16711680"/>
    </TfrxMasterData>
    <TfrxReportTitle Name="ReportTitle1" Left="0" Top="18.9" Width="1009" Height="50" Stretched="True"/>
  </TfrxReportPage>
</TfrxReport>
)";

std::unique_ptr<ReportTemplate> loaded(const QByteArray& data)
{
    auto report = std::make_unique<ReportTemplate>();
    const LoadResult result = TemplateReader::read(data, *report);
    EXPECT_TRUE(result.ok) << result.toString().toStdString();
    return report;
}

TEST(TemplateReading, ReadsPagesBandsAndObjectsInFileUnits)
{
    ReportTemplate report;
    ASSERT_TRUE(TemplateReader::read(richTemplate, report).ok);
    ASSERT_EQ(report.pages().size(), 1);
    const ReportPage& page = *report.pages().first();
    EXPECT_EQ(page.paperWidth(), 297);
    EXPECT_EQ(page.paperHeight(), 210);
    EXPECT_EQ(page.orientation(), ReportPage::poLandscape);
    EXPECT_EQ(page.marginsMm(), QMarginsF(12.5, 7.5, 10, 10));  // "12,5" and "7.5" alike
    EXPECT_EQ(page.effectiveFont(), (ItemFont{"Tahoma", -11, 0, 0}));

    ASSERT_EQ(page.bands().size(), 2);
    const ReportBand& master = *page.bands()[0];
    EXPECT_EQ(master.kind(), ReportBand::MasterData);
    EXPECT_EQ(master.top(), 120.5);
    EXPECT_EQ(master.dataSetName(), "Ds_1");
    EXPECT_EQ(page.bands()[1]->kind(), ReportBand::ReportTitle);
    EXPECT_TRUE(page.bands()[1]->isStretched());

    ASSERT_EQ(master.views().size(), 4);
    auto* memo = qobject_cast<MemoView*>(master.views()[0]);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->name(), "Memo1");
    EXPECT_EQ(memo->left(), 3.78);
    EXPECT_EQ(memo->hAlign(), MemoView::haRight);
    EXPECT_EQ(memo->vAlign(), MemoView::vaCenter);
    EXPECT_FALSE(memo->wordWrap());
    EXPECT_EQ(memo->frameTyp(), 15);
    EXPECT_EQ(memo->frameWidth(), 0.5);
    EXPECT_EQ(colorFromDelphi(memo->frameColor()), QColor(255, 0, 0));
    EXPECT_EQ(memo->displayFormatKind(), MemoView::fkNumeric);
    EXPECT_EQ(memo->displayFormat(), "%2.2n");
    EXPECT_EQ(memo->text(), "[Ds_1.\"FIYAT\"]\nikinci satır");
    // Objects without a font of their own take the page's.
    EXPECT_EQ(memo->effectiveFont().name, "Tahoma");
    EXPECT_NE(qobject_cast<LineView*>(master.views()[2]), nullptr);
    auto* shape = qobject_cast<ShapeView*>(master.views()[3]);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->shape(), ShapeView::skEllipse);
    EXPECT_EQ(colorFromDelphi(shape->color()), QColor(0, 0, 255));

    EXPECT_EQ(report.datasets().size(), 1);
    EXPECT_EQ(report.datasets()[0].component, "dt_1");
    EXPECT_EQ(report.variables().size(), 2);
    EXPECT_FALSE(report.hasScript());
}

TEST(TemplateReading, ListsWhatItKeepsButDoesNotUse)
{
    const QByteArray xml = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport ScriptText.Text="procedure Memo1OnBeforePrint(Sender: TfrxComponent);&#13;&#10;begin&#13;&#10;end;&#13;&#10;begin&#13;&#10;end.">
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10" HGuides.Text="">
    <TfrxMasterData Name="MasterData1" Top="20" Width="700" Height="20" RowCount="1">
      <TfrxMemoView Name="Memo1" Width="100" Height="20" Rotation="90" Font.Charset="162" Text="x"/>
      <TfrxBarCodeView Name="BarCode1" Width="100" Height="20" Text="123"/>
    </TfrxMasterData>
  </TfrxReportPage>
  <TfrxDialogPage Name="Dialog1"><TfrxButtonControl Name="Button1"/></TfrxDialogPage>
</TfrxReport>)";
    const auto report = loaded(xml);
    EXPECT_EQ(report->notUnderstood(),
              QStringList({"betik kodu (PascalScript) çalıştırılmaz",
                           "TfrxReport: öğe TfrxDialogPage \"Dialog1\"",
                           "TfrxMasterData \"MasterData1\": öğe TfrxBarCodeView \"BarCode1\"",
                           "TfrxMemoView \"Memo1\": özellik Rotation=\"90\""}));
}

TEST(TemplateReading, ReadsRawWindowsTurkishBytesInsideUtf8)
{
    // "Özet Çizelge" written by a Turkish designer as code page 1254 bytes.
    QByteArray xml = memoTemplate("PLACEHOLDER");
    xml.replace("PLACEHOLDER", QByteArray("\xD6zet \xC7izelge \xDE\xFD\xF0 ", 17) + "\xC4\xB0yi");
    const auto report = loaded(xml);
    auto* memo = qobject_cast<MemoView*>(report->pages()[0]->bands()[0]->views()[0]);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->text(), "Özet Çizelge Şığ İyi");
}

TEST(TemplateReading, ReadsOldMemoTextStoredAsUtf8Bytes)
{
    // Older designers wrote the memo's UTF-8 bytes one per character: "Çay".
    QByteArray xml = memoTemplate("x");
    xml.replace("Text=\"x\"", "Memo.UTF8=\"&#195;&#135;ay\"");
    const auto report = loaded(xml);
    auto* memo = qobject_cast<MemoView*>(report->pages()[0]->bands()[0]->views()[0]);
    EXPECT_EQ(memo->text(), "Çay");
    EXPECT_TRUE(report->notUnderstood().isEmpty());
}

struct BadFile {
    const char* name;
    QByteArray data;
    const char* messagePart;
    int line;
};

void PrintTo(const BadFile& c, std::ostream* out)
{
    *out << c.name;
}

class RefusedTemplates : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusedTemplates, GiveAClearErrorWithItsPlace)
{
    const BadFile& c = GetParam();
    ReportTemplate report;
    const LoadResult result = TemplateReader::read(c.data, report);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.messagePart))) << result.message.toStdString();
    EXPECT_EQ(result.line, c.line);
    EXPECT_TRUE(report.isEmpty());
    EXPECT_TRUE(report.items().isEmpty());
}

QByteArray deepNesting()
{
    QByteArray xml = "<TfrxReport>";
    for (int i = 0; i < 5000; ++i)
        xml += "<a>";
    for (int i = 0; i < 5000; ++i)
        xml += "</a>";
    return xml + "</TfrxReport>";
}

QByteArray manyElements()
{
    QByteArray xml = "<TfrxReport><TfrxReportPage Name=\"P\"><TfrxMasterData Name=\"M\" RowCount=\"1\">";
    for (int i = 0; i < 150000; ++i)
        xml += "<TfrxMemoView/>";
    return xml + "</TfrxMasterData></TfrxReportPage></TfrxReport>";
}

const QByteArray billionLaughs = R"(<?xml version="1.0"?>
<!DOCTYPE lolz [
 <!ENTITY lol "lol">
 <!ENTITY lol2 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">
 <!ENTITY lol3 "&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;">
 <!ENTITY lol9 "&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;">
]>
<TfrxReport ScriptText.Text="&lol9;"/>)";

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedTemplates,
    ::testing::Values(
        BadFile{"not XML", "object frxReport1: TfrxReport\r\n  Version = '4.0'\r\nend\r\n", "bir XML rapor şablonu değil", 1},
        BadFile{"empty", "", "bir XML rapor şablonu değil", 1},
        BadFile{"binary", QByteArray("\x1f\x8b\x08\x00\x00\x00", 6), "bir XML rapor şablonu değil", 1},
        BadFile{"unclosed element", "<?xml version=\"1.0\"?>\n<TfrxReport>\n  <TfrxReportPage Name=\"P\">\n</TfrxReport>\n",
                "XML yapısı bozuk", 4},
        BadFile{"other root", "<html><body/></html>", "değil, <html>", 1},
        BadFile{"inherited", "<?xml version=\"1.0\"?>\n<inherited ParentReport=\"base.fr3\"/>", "kalıtımlı şablonlar desteklenmez", 2},
        BadFile{"dot-matrix report", "<TfrxReport DotMatrixReport=\"True\"/>", "nokta vuruşlu", 1},
        BadFile{"dot-matrix page", "<TfrxReport>\n<TfrxDMPPage Name=\"Page1\"/>\n</TfrxReport>", "nokta vuruşlu", 2},
        BadFile{"billion laughs", billionLaughs, "belge türü bildirimine", 7},
        BadFile{"deep nesting", deepNesting(), "32 düzeyden derin iç içe", 1},
        BadFile{"too many elements", manyElements(), "100000 öğeden fazla öğe", 1},
        BadFile{"absurd width", "<TfrxReport>\n<TfrxReportPage Name=\"P\">\n<TfrxMasterData Width=\"1e300\"/>", "sınırların dışında", 3},
        BadFile{"absurd paper", "<TfrxReport>\n<TfrxReportPage PaperWidth=\"900000\"/></TfrxReport>", "kağıt boyutu sınırların dışında", 2},
        BadFile{"absurd font", "<TfrxReport><TfrxReportPage><TfrxMasterData>\n<TfrxMemoView Font.Height=\"-900000\"/>",
                "yazı yüksekliği sınırların dışında", 2},
        BadFile{"absurd row count", "<TfrxReport><TfrxReportPage>\n<TfrxMasterData RowCount=\"2000000000\"/>",
                "satır sayısı sınırların dışında", 2}));

TEST(HostileTemplates, AHugeFileIsRefusedBeforeItIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.fr3");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(200LL * 1024 * 1024));  // sparse: costs no disk
    file.close();
    ReportTemplate report;
    const LoadResult result = TemplateReader::readFile(path, report);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "dosya 32 MB'tan büyük");
}

TEST(HostileTemplates, AnEnormousAttributeValueStaysWithinTheSizeLimit)
{
    // 20 MB of text in one memo: read, kept, and laid out without trouble.
    QByteArray xml = memoTemplate("x");
    xml.replace("Text=\"x\"", "Text=\"" + QByteArray(20 * 1024 * 1024, 'W') + "\"");
    Report report;
    report.loadFromData(xml);
    report.prepare();
    EXPECT_EQ(report.pageCount(), 1);
}

TEST(TemplateWriting, RoundTripKeepsUnknownElementsAttributesAndValues)
{
    QByteArray xml = richTemplate;
    xml.replace("<TfrxReportTitle", "<TfrxGradientView Name=\"Gradient1\" BeginColor=\"255\"><Inner A=\"1\">text</Inner></TfrxGradientView>\n<TfrxReportTitle");
    xml.replace("Name=\"Memo2\"", "Name=\"Memo2\" SuppressRepeated=\"True\"");
    const auto first = loaded(xml);
    const QByteArray written = TemplateWriter::write(*first);
    const auto second = loaded(written);

    EXPECT_EQ(TemplateWriter::write(*second), written);
    EXPECT_EQ(second->notUnderstood(), first->notUnderstood());
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TfrxReport "));
    EXPECT_TRUE(written.contains("<TfrxGradientView Name=\"Gradient1\" BeginColor=\"255\">"));
    EXPECT_TRUE(written.contains("<Inner A=\"1\">text</Inner>"));
    EXPECT_TRUE(written.contains("SuppressRepeated=\"True\""));
    EXPECT_TRUE(written.contains("<TfrxDataPage Name=\"Data\" Height=\"1000\" Width=\"1000\"/>"));
    EXPECT_TRUE(written.contains("Text=\"[Ds_1.&quot;FIYAT&quot;]&#13;&#10;ikinci satır\""));
    EXPECT_TRUE(written.contains("LeftMargin=\"12.5\""));
    EXPECT_TRUE(written.contains("<item Name=\"Baslik\" Value=\"'Kafe'\"/>"));
    // The unknown element stays between the master band and the title, as read.
    EXPECT_LT(written.indexOf("TfrxMasterData"), written.indexOf("TfrxGradientView"));
    EXPECT_LT(written.indexOf("TfrxGradientView"), written.indexOf("TfrxReportTitle"));

    const MemoView* memo = qobject_cast<MemoView*>(second->pages()[0]->bands()[0]->views()[0]);
    EXPECT_EQ(memo->text(), "[Ds_1.\"FIYAT\"]\nikinci satır");
    EXPECT_EQ(memo->frameWidth(), 0.5);
    EXPECT_EQ(memo->effectiveFont().name, "Tahoma");
}

TEST(TemplateWriting, WritesOnlyWhatDiffersFromTheDefaults)
{
    ReportTemplate report;
    auto* page = new ReportPage(&report);
    page->setObjectName("Page1");
    auto* band = new ReportBand(ReportBand::ReportTitle, page);
    band->setObjectName("ReportTitle1");
    band->setGeometry(0, 20, 718, 30);
    auto* memo = new MemoView(band);
    memo->setObjectName("Memo1");
    memo->setGeometry(0, 0, 200, 20);
    memo->setText("Merhaba");
    memo->setProperty("hAlign", MemoView::haCenter);
    const QByteArray written = TemplateWriter::write(report);
    EXPECT_EQ(written,
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
              "<TfrxReport>\n"
              "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\" "
              "LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\">\n"
              "    <TfrxReportTitle Name=\"ReportTitle1\" Left=\"0\" Top=\"20\" Width=\"718\" Height=\"30\">\n"
              "      <TfrxMemoView Name=\"Memo1\" Left=\"0\" Top=\"0\" Width=\"200\" Height=\"20\" "
              "Text=\"Merhaba\" HAlign=\"haCenter\"/>\n"
              "    </TfrxReportTitle>\n"
              "  </TfrxReportPage>\n"
              "</TfrxReport>\n");
}

TEST(TemplateReading, ReadsAPictureStoredInTheTemplate)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QByteArray propData = QByteArray("\x09TPngImage", 10) + png;
    QByteArray xml = memoTemplate("x");
    xml.replace("<TfrxMemoView", "<TfrxPictureView Name=\"Picture1\" Width=\"40\" Height=\"20\" Picture.PropData=\""
                                     + propData.toHex().toUpper() + "\"/>\n<TfrxMemoView");
    const auto report = loaded(xml);
    auto* picture = qobject_cast<PictureView*>(report->pages()[0]->bands()[0]->views()[0]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->image().size(), QSize(4, 2));
    EXPECT_EQ(picture->image().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_TRUE(report->notUnderstood().isEmpty());
}

}  // namespace
