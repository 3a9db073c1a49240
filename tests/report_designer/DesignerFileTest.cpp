// The designer and the template file: saving and saving as, the question on
// closing with unsaved changes, a new report's defaults, content the engine
// does not know, templates it cannot load, odd templates, and the preview.
#include "DesignerTestSupport.h"

#include "platform/report/ReportPreview.h"
#include "platform/report/TemplateReader.h"
#include "platform/report/TemplateWriter.h"
#include "platform/report/designer/PropertyPanel.h"

#include <QAction>
#include <QTabBar>
#include <QTest>

using namespace report;
using namespace report::test;
using ui::DialogButton;

namespace {

const QString question = QStringLiteral("Rapor değiştirildi.\rDeğişiklikler kaydedilsin mi?");
const QString caption = QStringLiteral("Rapor Tasarımı");

void expectCloseQuestion(uitest::ScriptedDialogs& dialogs, DialogButton answer)
{
    dialogs.expectMessage(question, caption, ui::MessageIcon::Question,
                          DialogButton::Yes | DialogButton::No | DialogButton::Cancel, DialogButton::Yes, answer);
}

// Moves mHead one grid step to the right.
void moveHeading(DesignerWindow& window, Report& report)
{
    window.document().select(DesignerTest::object(report, "mHead"));
    QTest::keyClick(&window.view(), Qt::Key_Right);
}

}  // namespace

class ClosingWithUnsavedChanges : public DesignerTest {
protected:
    void SetUp() override
    {
        path = writeTemplate("Icecekler.fr3", drinksTemplate());
        original = readFile(path);
        report.loadFromFile(path);
    }

    QString path;
    QByteArray original;
};

TEST_F(ClosingWithUnsavedChanges, YesSavesAndCloses)
{
    expectCloseQuestion(dialogs, DialogButton::Yes);
    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        EXPECT_TRUE(window.isWindowModified());
        window.close();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_NE(readFile(path), original);
    Report next;
    next.loadFromFile(path);
    EXPECT_EQ(object(next, "mHead")->left(), 4);
    EXPECT_EQ(object(report, "mHead")->left(), 4);
}

TEST_F(ClosingWithUnsavedChanges, NoDiscardsTheChangesInMemoryToo)
{
    expectCloseQuestion(dialogs, DialogButton::No);
    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        window.addBandAction(ReportBand::ReportSummary)->trigger();
        window.close();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(readFile(path), original);
    // The report in memory is the file's again, with its file name.
    EXPECT_EQ(object(report, "mHead")->left(), 0);
    EXPECT_EQ(band(report, "ReportSummary1"), nullptr);
    EXPECT_EQ(report.fileName(), path);
    EXPECT_EQ(printedText(path), [&] {
        report.prepare();
        const QString pdf = dir.filePath("memory.pdf");
        report.exportToPdf(pdf);
        return pdfText(pdf);
    }());
}

TEST_F(ClosingWithUnsavedChanges, CancelKeepsTheDesignerOpen)
{
    expectCloseQuestion(dialogs, DialogButton::Cancel);
    expectCloseQuestion(dialogs, DialogButton::No);
    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        window.close();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(object(report, "mHead")->left(), 4);
        EXPECT_TRUE(window.document().isModified());
        // Escape closes like the close box, and asks the same.
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(readFile(path), original);
}

TEST_F(ClosingWithUnsavedChanges, NothingIsAskedWhenEveryChangeWasUndone)
{
    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        window.undoAction()->trigger();
        EXPECT_FALSE(window.document().isModified());
        window.close();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(readFile(path), original);
}

TEST_F(DesignerTest, NewReportStartsWithTheDefaultsAndIsSavedUnderAChosenName)
{
    report.loadFromFile(dir.filePath("rapor/AdisyonFisi.fr3"));
    ASSERT_TRUE(report.isEmpty());
    saveAsAnswers = {dir.filePath("Yeni")};

    design([&](DesignerWindow& window) {
        DesignerDocument& doc = window.document();
        ASSERT_EQ(doc.pages().size(), 1);
        const ReportPage& page = *doc.page();
        EXPECT_EQ(page.paperSize(), 9);
        EXPECT_EQ(page.paperWidth(), 210);
        EXPECT_EQ(page.paperHeight(), 297);
        EXPECT_EQ(page.orientation(), ReportPage::poPortrait);
        EXPECT_EQ(page.marginsMm(), QMarginsF(10, 10, 10, 10));
        EXPECT_FALSE(page.parentFont());
        EXPECT_EQ(page.effectiveFont(), (ItemFont{"Arial", -13, 0, 0}));
        EXPECT_EQ(report.reportTemplate().scriptLanguage(), "PascalScript");
        EXPECT_EQ(window.windowTitle(), "Rapor Tasarımı - Yeni Rapor[*]");
        EXPECT_FALSE(doc.isModified());

        window.addBandAction(ReportBand::MasterData)->trigger();
        ReportBand* master = band(report, "MasterData1");
        ASSERT_NE(master, nullptr);
        EXPECT_EQ(master->dataSetName(), "Ds_1");
        EXPECT_NEAR(master->width(), 190 * UnitsPerMm, 1e-9);
        auto* memo = qobject_cast<MemoView*>(doc.addView(DesignerDocument::ViewKind::Memo, master, {0, 0}));
        doc.setMemoText(memo, "Ürün: [Ds_1.\"NAME\"]");
        // A new memo takes the page's font.
        EXPECT_EQ(memo->effectiveFont(), (ItemFont{"Arial", -13, 0, 0}));

        window.saveAction()->trigger();
        EXPECT_EQ(window.windowTitle(), "Rapor Tasarımı - Yeni.fr3[*]");
        window.close();
    });

    EXPECT_EQ(saveAsSuggestions, QStringList({"Rapor.fr3"}));
    const QString path = dir.filePath("Yeni.fr3");
    EXPECT_EQ(report.fileName(), path);
    const QString file = QString::fromUtf8(readFile(path));
    for (const char* attribute : {"PaperWidth=\"210\"", "PaperHeight=\"297\"", "PaperSize=\"9\"", "LeftMargin=\"10\"",
                                  "RightMargin=\"10\"", "TopMargin=\"10\"", "BottomMargin=\"10\"",
                                  "Font.Name=\"Arial\"", "Font.Height=\"-13\""})
        EXPECT_TRUE(file.contains(attribute)) << attribute << "\n" << file.toStdString();
    EXPECT_FALSE(file.contains("Orientation"));

    const QString printed = printedText(path);
    EXPECT_TRUE(printed.contains("Ürün: Çay")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Ürün: Simit")) << printed.toStdString();
}

TEST_F(DesignerTest, NewReportClosedUnchangedLeavesTheReportEmpty)
{
    report.loadFromFile(dir.filePath("AdisyonFisi.fr3"));
    design([&](DesignerWindow& window) {
        EXPECT_EQ(window.document().pages().size(), 1);
        window.close();
    });
    EXPECT_TRUE(report.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("AdisyonFisi.fr3")));
}

TEST_F(DesignerTest, SaveAsWritesANewFileThatLaterSavesGoTo)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    const QByteArray original = readFile(path);
    report.loadFromFile(path);
    saveAsAnswers = {dir.filePath("Kopya.fr3")};

    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        window.saveAsAction()->trigger();
        EXPECT_EQ(window.windowTitle(), "Rapor Tasarımı - Kopya.fr3[*]");
        moveHeading(window, report);
        window.saveAction()->trigger();
        window.close();
    });
    EXPECT_EQ(saveAsSuggestions, QStringList({path}));
    EXPECT_EQ(readFile(path), original);
    Report copy;
    copy.loadFromFile(dir.filePath("Kopya.fr3"));
    EXPECT_EQ(object(copy, "mHead")->left(), 8);
}

TEST_F(DesignerTest, AFailedSaveIsReportedAndKeepsTheChanges)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);
    const QString unwritable = dir.filePath("yok/Kopya.fr3");
    QString reason;
    try {
        TemplateWriter::writeFile(report.reportTemplate(), unwritable);
    } catch (const ReportError& error) {
        reason = error.message();
    }
    ASSERT_FALSE(reason.isEmpty());
    saveAsAnswers = {unwritable};
    dialogs.expectNotice("Rapor kaydedilemedi.\r" + reason, "Hata", ui::MessageIcon::Error);
    expectCloseQuestion(dialogs, DialogButton::No);

    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        EXPECT_FALSE(window.saveAs());
        EXPECT_TRUE(window.document().isModified());
        EXPECT_EQ(report.fileName(), path);
        window.close();
    });
}

TEST_F(DesignerTest, UnknownElementsAndAttributesSurviveASave)
{
    const QByteArray content = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Version="6.9.3" ScriptLanguage="PascalScript" ScriptText.Text="begin&#13;&#10;  ShowMessage('Merhaba');&#13;&#10;end." ReportOptions.Name="Deneme">
  <Datasets>
    <item DataSet="dt_1" DataSetName="Ds_1"/>
  </Datasets>
  <TfrxDataPage Name="Data" Height="1000" Width="1000"/>
  <TfrxReportPage Name="Page1" PaperWidth="210" PaperHeight="297" PaperSize="9" LeftMargin="10" RightMargin="10" TopMargin="10" BottomMargin="10">
    <TfrxPageHeader Name="PageHeader1" Top="20" Width="718" Height="24">
      <TfrxMemoView Name="mHead" Width="400" Height="20" Hyperlink.Value="http://kafe" Text="İÇECEKLER"/>
      <TfrxCrossView Name="Cross1" Left="420" Top="0" Width="100" Height="20" RowLevels="1"><TfrxCrossHeader Name="CrossHeader1"/></TfrxCrossView>
    </TfrxPageHeader>
    <TfrxMasterData Name="MasterData1" Top="100" Width="718" Height="20" DataSetName="Ds_1">
      <TfrxBarCodeView Name="BarCode1" Left="500" Top="0" Width="80" Height="20" Expression="&lt;Ds_1.&#34;NAME&#34;&gt;"/>
      <TfrxMemoView Name="mName" Width="400" Height="18" Text="[Ds_1.&#34;NAME&#34;]"/>
    </TfrxMasterData>
  </TfrxReportPage>
  <TfrxDialogPage Name="DialogPage1" Width="300"><TfrxButtonControl Name="Button1" Caption="Tamam"/></TfrxDialogPage>
</TfrxReport>
)";
    const QString path = writeTemplate("Bilinmeyen.fr3", content);
    report.loadFromFile(path);
    const QStringList notUnderstood = report.notUnderstood();
    ASSERT_GE(notUnderstood.size(), 5);

    design([&](DesignerWindow& window) {
        moveHeading(window, report);
        // The last known object of the band goes; the barcode beside it stays.
        window.document().select(object(report, "mName"));
        window.deleteAction()->trigger();
        window.addBandAction(ReportBand::ReportSummary)->trigger();
        window.saveAction()->trigger();
        window.close();
    });

    const QString file = QString::fromUtf8(readFile(path));
    for (const char* kept : {"Version=\"6.9.3\"", "ShowMessage('Merhaba');", "ReportOptions.Name=\"Deneme\"",
                             "<TfrxDataPage Name=\"Data\"", "Hyperlink.Value=\"http://kafe\"",
                             "<TfrxCrossView Name=\"Cross1\"", "<TfrxCrossHeader Name=\"CrossHeader1\"",
                             "<TfrxBarCodeView Name=\"BarCode1\"", "<TfrxDialogPage Name=\"DialogPage1\"",
                             "<TfrxButtonControl Name=\"Button1\" Caption=\"Tamam\"", "DataSetName=\"Ds_1\""})
        EXPECT_TRUE(file.contains(kept)) << kept << "\n" << file.toStdString();
    EXPECT_FALSE(file.contains("mName"));

    Report next;
    ASSERT_NO_THROW(next.loadFromFile(path));
    EXPECT_EQ(next.notUnderstood(), notUnderstood);
    EXPECT_EQ(object(next, "mHead")->left(), 4);
    ASSERT_NE(band(next, "ReportSummary1"), nullptr);
    // Saving again without a change writes the same file.
    EXPECT_EQ(TemplateWriter::write(next.reportTemplate()), readFile(path));
}

TEST_F(DesignerTest, ATemplateTheEngineCannotLoadNeverReachesTheDesigner)
{
    const QString path = writeTemplate("Bozuk.fr3", "<TfrxReport><TfrxReportPage Name=\"Page1\"><TfrxMasterData");
    const QByteArray broken = readFile(path);
    EXPECT_THROW(report.loadFromFile(path), ReportError);
    ASSERT_TRUE(report.isEmpty());
    EXPECT_TRUE(report.fileName().isEmpty());

    // Nothing of the broken file is left to design: a new report opens.
    design([&](DesignerWindow& window) {
        ASSERT_EQ(window.document().pages().size(), 1);
        EXPECT_TRUE(window.document().page()->bands().isEmpty());
        window.close();
    });
    EXPECT_TRUE(report.isEmpty());
    EXPECT_EQ(readFile(path), broken);
}

TEST_F(DesignerTest, OddTemplatesNeverCrashTheDesigner)
{
    const QByteArray content = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport>
  <TfrxReportPage Name="Page1" PaperWidth="80" PaperHeight="100" PaperSize="256" LeftMargin="0" RightMargin="0" TopMargin="0" BottomMargin="0" EndlessHeight="True">
    <TfrxMasterData Name="Empty" Top="0" Width="0" Height="0"/>
    <TfrxHeader Name="Tall" Top="0" Width="300" Height="30000"/>
    <TfrxReportTitle Name="Title" Top="-50" Width="300" Height="10">
      <TfrxMemoView Name="Far" Left="-300" Top="5000" Width="0" Height="0" Text=""/>
      <TfrxLineView Name="Dot" Width="0" Height="0"/>
      <TfrxPictureView Name="Garbage" Width="20" Height="20" Picture.PropData="0102030405"/>
      <TfrxShapeView Name="Inverted" Width="-20" Height="-10" Shape="skTriangle"/>
      <TfrxMemoView Name="Huge" Width="39000" Height="39000" Font.Height="-999" Text="[[[[ ]]] [&lt;Ds_9.&#34;X&#34;&gt;"/>
    </TfrxReportTitle>
    <TfrxChild Name="Orphan" Top="10" Height="5"/>
    <TfrxMasterData Name="Twin" Top="10" Height="5"/>
  </TfrxReportPage>
  <TfrxReportPage Name="Page2"/>
</TfrxReport>
)";
    const QString path = writeTemplate("Tuhaf.fr3", content);
    report.loadFromFile(path);

    design([&](DesignerWindow& window) {
        DesignerView& view = window.view();
        DesignerDocument& doc = window.document();
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(doc.selectedViews().size(), 5);
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down}) {
            QTest::keyClick(&view, k);
            QTest::keyClick(&view, k, Qt::ShiftModifier);
        }
        // Clicks and drags all over the page.
        const QRectF page = window.scene().pageRect();
        for (double x = page.left() - 10; x < page.right() + 10; x += 37) {
            for (double y = page.top() - 10; y < std::min(page.bottom(), 400.0); y += 29)
                DesignerTest::click(view, {x, y});
        }
        DesignerTest::drag(view, {10, 10}, {200, 250});
        DesignerTest::drag(view, {150, 30}, {-100, -100});
        for (ReportBand* each : doc.orderedBands()) {
            doc.select(each);
            window.propertyPanel().rebuild();
        }
        doc.select(band(report, "Title"));
        QTest::keyClick(&view, Qt::Key_Delete);
        window.undoAction()->trigger();
        window.redoAction()->trigger();
        window.undoAction()->trigger();

        // The second page has its own tab and its own bands.
        auto* tabs = window.findChild<QTabBar*>();
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->count(), 2);
        tabs->setCurrentIndex(1);
        EXPECT_EQ(doc.currentPageIndex(), 1);
        window.addBandAction(ReportBand::PageHeader)->trigger();
        EXPECT_EQ(doc.page()->bands().size(), 1);
        EXPECT_EQ(doc.page()->name(), "Page2");

        window.saveAction()->trigger();
        window.close();
    });

    Report next;
    ASSERT_NO_THROW(next.loadFromFile(path));
    EXPECT_EQ(next.reportTemplate().pages().size(), 2);
    EXPECT_EQ(next.reportTemplate().pages().at(1)->bands().size(), 1);
    EXPECT_NE(object(next, "Garbage"), nullptr);
}

TEST_F(DesignerTest, PreviewShowsTheTemplateBeingEdited)
{
    const QString path = writeTemplate("Icecekler.fr3", drinksTemplate());
    report.loadFromFile(path);
    int previews = 0;
    onOtherWindow = [&](QDialog& window) {
        auto* preview = qobject_cast<ReportPreview*>(&window);
        ASSERT_NE(preview, nullptr);
        ++previews;
        EXPECT_EQ(preview->pageCount(), 1);
        const QString text = report.preparedPages().pageText(0);
        EXPECT_TRUE(text.contains("YENİ BAŞLIK")) << text.toStdString();
        EXPECT_TRUE(text.contains("2. Simit")) << text.toStdString();
        window.close();
    };
    expectCloseQuestion(dialogs, DialogButton::No);

    design([&](DesignerWindow& window) {
        window.document().setMemoText(qobject_cast<MemoView*>(object(report, "mHead")), "YENİ BAŞLIK");
        window.previewAction()->trigger();
        window.close();
    });
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(qobject_cast<MemoView*>(object(report, "mHead"))->text(), "İÇECEKLER");
}

TEST_F(DesignerTest, DesignerIsOnlyOpenedWhileAttached)
{
    report.loadFromFile(writeTemplate("Icecekler.fr3", drinksTemplate()));
    EXPECT_TRUE(report.hasDesigner());
    designer.detach();
    EXPECT_FALSE(report.hasDesigner());
    {
        ReportDesigner other;
        other.attach(report);
        EXPECT_TRUE(report.hasDesigner());
    }
    // A designer that is gone leaves no dangling handler behind.
    EXPECT_FALSE(report.hasDesigner());
    EXPECT_NO_THROW(report.design());
}

TEST_F(DesignerTest, ATemplateWithoutAReportPageGetsOneAndKeepsTheRest)
{
    const QString path = writeTemplate(
        "Diyalog.fr3",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<TfrxReport ScriptText.Text=\"begin&#13;&#10;  Kapat;&#13;&#10;end.\">\n"
        "  <TfrxDialogPage Name=\"DialogPage1\"><TfrxButtonControl Name=\"Button1\"/></TfrxDialogPage>\n"
        "</TfrxReport>\n");
    report.loadFromFile(path);
    ASSERT_TRUE(report.isEmpty());
    const QByteArray original = TemplateWriter::write(report.reportTemplate());

    // Closed unchanged: the page the designer added goes again.
    design([&](DesignerWindow& window) {
        EXPECT_EQ(window.document().pages().size(), 1);
        window.close();
    });
    EXPECT_EQ(TemplateWriter::write(report.reportTemplate()), original);

    design([&](DesignerWindow& window) {
        window.addBandAction(ReportBand::ReportTitle)->trigger();
        window.saveAction()->trigger();
        window.close();
    });
    const QString file = QString::fromUtf8(readFile(path));
    EXPECT_TRUE(file.contains("<TfrxDialogPage Name=\"DialogPage1\">")) << file.toStdString();
    EXPECT_TRUE(file.contains("Kapat;")) << file.toStdString();
    EXPECT_TRUE(file.contains("<TfrxReportTitle Name=\"ReportTitle1\"")) << file.toStdString();
}
