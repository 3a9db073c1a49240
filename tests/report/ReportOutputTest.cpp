// The report's procedures as the bill slip and the summary report use them:
// load, prepare, preview, print without a dialog, export to PDF, design.
#include "ReportTestSupport.h"

#include "platform/report/ReportPreview.h"

#include <QFile>
#include <QProcess>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace report;
using namespace report::test;

namespace {

class Output : public ::testing::Test {
protected:
    Output() : rows({"NAME"}, {{"Çay"}, {"Kahve"}})
    {
        report.setDataset("Ds_1", &rows);
        report.setPrinterFactory([this](const QString& name) {
            requestedPrinters.append(name);
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printedFile());
            return printer;
        });
        report.setPrintDialogHandler([this](QPrinter&, QWidget*) {
            ++dialogsShown;
            return dialogAnswer;
        });
    }

    QString printedFile() const { return dir.filePath("printed.pdf"); }

    QTemporaryDir dir;
    MemoryDataset rows;
    Report report;
    QStringList requestedPrinters;
    int dialogsShown = 0;
    bool dialogAnswer = true;
};

TEST_F(Output, MissingTemplateLeavesAnEmptyReportWithoutError)
{
    report.loadFromData(listTemplate());
    EXPECT_NO_THROW(report.loadFromFile(dir.filePath("rapor/AdisyonFisi.fr3")));
    EXPECT_TRUE(report.isEmpty());
    EXPECT_TRUE(report.fileName().isEmpty());
    EXPECT_NO_THROW(report.prepare());
    EXPECT_EQ(report.pageCount(), 0);

    report.setShowPrintDialog(false);
    report.print();
    EXPECT_TRUE(requestedPrinters.isEmpty());  // nothing to print, no printer opened
    EXPECT_FALSE(QFile::exists(printedFile()));

    ReportPreview preview(report);
    EXPECT_EQ(preview.pageCount(), 0);
    EXPECT_FALSE(preview.printAction()->isEnabled());
    preview.grab();  // paints an empty preview without trouble
}

TEST_F(Output, LoadingEmptiesTheReportAndRemembersTheFile)
{
    const QString path = dir.filePath("list.fr3");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(listTemplate());
    file.close();
    report.loadFromFile(path);
    EXPECT_EQ(report.fileName(), path);
    report.prepare();
    EXPECT_EQ(report.pageCount(), 1);

    report.loadFromFile(dir.filePath("missing.fr3"));
    EXPECT_TRUE(report.isEmpty());
    EXPECT_EQ(report.pageCount(), 0);  // pages of the earlier template are gone too
}

TEST_F(Output, ABrokenTemplateRaisesAnErrorWithItsPlace)
{
    const QString path = dir.filePath("broken.fr3");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?>\n<TfrxReport>\n<TfrxReportPage>\n</TfrxReport>\n");
    file.close();
    try {
        report.loadFromFile(path);
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.line(), 4);
        EXPECT_EQ(e.fileName(), "broken.fr3");
        EXPECT_TRUE(e.message().startsWith("XML yapısı bozuk")) << e.message().toStdString();
    }
    EXPECT_TRUE(report.isEmpty());
}

TEST_F(Output, PrintsToTheNamedPrinterWithoutADialogWhenSwitchedOff)
{
    report.loadFromData(listTemplate());
    report.prepare();
    report.setPrinterName("Termal-80");
    report.setShowPrintDialog(false);
    report.print();
    EXPECT_EQ(requestedPrinters, QStringList{"Termal-80"});
    EXPECT_EQ(dialogsShown, 0);
    const QString text = pdfText(printedFile());
    EXPECT_TRUE(text.contains("1. Çay")) << text.toStdString();
    EXPECT_TRUE(text.contains("2. Kahve"));
    EXPECT_TRUE(text.contains("Satır sayısı 2"));
}

TEST_F(Output, AsksFirstWhenTheDialogIsOnAndPrintsNothingWhenCancelled)
{
    report.loadFromData(listTemplate());
    report.prepare();
    EXPECT_EQ(report.printerName(), "Default");
    EXPECT_TRUE(report.showPrintDialog());
    dialogAnswer = false;
    report.print();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_FALSE(QFile::exists(printedFile()));
    dialogAnswer = true;
    report.print();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_TRUE(QFile::exists(printedFile()));
}

TEST_F(Output, PreviewShowsPagesNavigatesZoomsAndAlwaysAsksBeforePrinting)
{
    MemoryDataset many({"NAME"});
    for (int i = 0; i < 120; ++i)
        many.appendRow({QString::number(i)});
    report.setDataset("Ds_1", &many);
    report.loadFromData(listTemplate());
    report.prepare();
    report.setShowPrintDialog(false);  // as after a silent slip print

    ReportPreview preview(report);
    EXPECT_EQ(preview.pageCount(), 3);
    EXPECT_EQ(preview.currentPage(), 0);
    EXPECT_EQ(preview.zoom(), 1.0);
    preview.nextPage();
    preview.nextPage();
    preview.nextPage();
    EXPECT_EQ(preview.currentPage(), 2);
    preview.firstPage();
    EXPECT_EQ(preview.currentPage(), 0);
    preview.lastPage();
    EXPECT_EQ(preview.currentPage(), 2);
    const QSize before = preview.pageView()->size();
    preview.zoomIn();
    EXPECT_EQ(preview.zoom(), 1.25);
    EXPECT_GT(preview.pageView()->width(), before.width());
    EXPECT_FALSE(preview.pageView()->grab().isNull());

    preview.printAction()->trigger();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_TRUE(pdfText(printedFile()).contains("Sayfa 3/3"));
}

TEST_F(Output, PreviewExportsToTheFileTheUserNames)
{
    report.loadFromData(listTemplate());
    report.prepare();
    const QString pdf = dir.filePath("export.pdf");
    QString suggestion;
    report.setPdfFileNameHandler([&](QWidget*, const QString& suggested) {
        suggestion = suggested;
        return pdf;
    });
    ReportPreview preview(report);
    preview.exportAction()->trigger();
    EXPECT_EQ(suggestion, "Rapor.pdf");
    EXPECT_TRUE(pdfText(pdf).contains("2. Kahve"));
}

TEST_F(Output, ExportWritesEveryPageOnItsOwnPaper)
{
    QByteArray xml = listTemplate();
    xml.replace("PaperWidth=\"210\" PaperHeight=\"297\" PaperSize=\"9\"",
                "PaperWidth=\"297\" PaperHeight=\"210\" PaperSize=\"9\" Orientation=\"poLandscape\"");
    report.loadFromData(xml);
    report.prepare();
    const QString pdf = dir.filePath("landscape.pdf");
    report.exportToPdf(pdf);
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Page size:       842 x 595 pts (A4)")) << text.toStdString();
}

TEST_F(Output, ExportToAnUnwritablePlaceRaisesAnError)
{
    report.loadFromData(listTemplate());
    report.prepare();
    EXPECT_THROW(report.exportToPdf(dir.filePath("no/such/folder/x.pdf")), ReportError);
}

TEST(SystemPrinter, WithoutAnyPrinterPrintingIsAClearErrorNotASilentFile)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    try {
        Report::systemPrinter("Termal");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), "Kurulu yazıcı bulunamadı.");
    }
}

TEST_F(Output, DesignCallsTheInstalledDesignerWithTheLoadedTemplate)
{
    report.loadFromData(listTemplate());
    report.design();  // no designer yet: nothing happens
    int calls = 0;
    report.setDesignHandler([&](Report& designed, QWidget*) {
        ++calls;
        EXPECT_EQ(&designed, &report);
        EXPECT_FALSE(designed.isEmpty());
    });
    report.design();
    EXPECT_EQ(calls, 1);
}

TEST_F(Output, DatasetsAreToldWhenARunBeginsAndEnds)
{
    struct Watched : MemoryDataset {
        using MemoryDataset::MemoryDataset;
        void beginReport() override { events.append("begin"); }
        void endReport() override { events.append("end"); }
        QStringList events;
    } watched({"NAME"}, {{"x"}});
    report.setDataset("Ds_1", &watched);
    report.setDataset("Ds_1 again", &watched);
    report.loadFromData(listTemplate());
    report.prepare();
    EXPECT_EQ(watched.events, QStringList({"begin", "end"}));
    report.setDataset("Ds_1", nullptr);
    report.setDataset("Ds_1 again", nullptr);
    EXPECT_TRUE(report.datasetNames().isEmpty());
}

}  // namespace
