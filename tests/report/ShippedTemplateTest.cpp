// The two templates shipped in rapor/, filled with known data, printed to PDF
// and read back with pdftotext.
#include "ReportTestSupport.h"

#include "platform/report/ReportPage.h"

#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace report;
using namespace report::test;

namespace {

// One row matching the pattern, blanks between the columns of -layout output free.
bool hasLine(const QString& text, const QString& pattern)
{
    return text.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*") + pattern + QStringLiteral("\\s*(\\n|$)")));
}

class BillSlip : public ::testing::Test {
protected:
    BillSlip()
        : bill({"ADISYON_ID", "FIS_NO", "TARIH", "ACIKLAMA"},
               {{42, "A-000123", QDateTime(QDate(2024, 3, 5), QTime(19, 45, 30)), "Az şekerli"}}),
          lines({"SN", "STOK_ADI", "CIKAN", "FIYAT", "TUTAR", "ARA_TUTAR"},
                {{1, "Türk Kahvesi", 2.0, 45.0, 90.0, 90.0},
                 {2, "Çay", 3.0, 15.0, 45.0, 45.0},
                 {3, "Künefe", 1.5, 120.0, 180.0, 162.0}}),
          tables({"MASA_ID", "MASA_ADI"}, {{1, "Bahçe 1"}, {2, "Salon 2"}, {3, "Teras 3"}}),
          sums({"T_TUTAR", "T_ISK", "T_ARA_TUTAR"}, {{315.0, 18.0, 1297.0}})
    {
        tables.setCurrentRow(1);  // the current table
        report.setDataset("Ds_1", &bill, "dt_1");
        report.setDataset("Ds_2", &lines, "dt_2");
        report.setDataset("ds_3", &tables, "dt_3");
        report.setDataset("ds_4", &sums, "dt_4");
        report.setPrinterFactory([this](const QString& name) {
            printerName = name;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(dir.filePath("slip.pdf"));
            return printer;
        });
    }

    // The "Yazdır" procedure: load, printer from the settings, prepare, no dialog, print.
    QString printSlip()
    {
        report.loadFromFile(templatePath("AdisyonFisi.fr3"));
        report.setPrinterName("Termal");
        report.prepare();
        report.setShowPrintDialog(false);
        report.print();
        return pdfText(dir.filePath("slip.pdf"));
    }

    QTemporaryDir dir;
    MemoryDataset bill;
    MemoryDataset lines;
    MemoryDataset tables;
    MemoryDataset sums;
    Report report;
    QString printerName;
};

TEST_F(BillSlip, TemplateLoadsWithNothingNotUnderstood)
{
    report.loadFromFile(templatePath("AdisyonFisi.fr3"));
    ASSERT_FALSE(report.isEmpty());
    EXPECT_EQ(report.notUnderstood(), QStringList());
    EXPECT_TRUE(report.reportTemplate().pages()[0]->isRollPaper());
}

TEST_F(BillSlip, PrintsTheBillNumberItsLinesAndItsSums)
{
    const QString text = printSlip();
    EXPECT_EQ(printerName, "Termal");
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_TRUE(hasLine(text, "ADİSYON")) << text.toStdString();
    EXPECT_TRUE(hasLine(text, "Masa: Salon 2"));
    EXPECT_TRUE(hasLine(text, "Adisyon No: A-000123"));
    EXPECT_TRUE(hasLine(text, "Tarih: 05\\.03\\.2024 19:45"));
    EXPECT_TRUE(hasLine(text, "Ürün\\s+Miktar\\s+Fiyat\\s+Tutar")) << text.toStdString();
    EXPECT_TRUE(hasLine(text, "Türk Kahvesi\\s+2\\s+45,00\\s+90,00"));
    EXPECT_TRUE(hasLine(text, "Çay\\s+3\\s+15,00\\s+45,00"));
    EXPECT_TRUE(hasLine(text, "Künefe\\s+1,5\\s+120,00\\s+162,00"));
    EXPECT_TRUE(hasLine(text, "Toplam\\s+315,00"));
    EXPECT_TRUE(hasLine(text, "İskonto\\s+18,00"));
    EXPECT_TRUE(hasLine(text, "Ödenecek\\s+1\\.297,00TL"));
    EXPECT_TRUE(hasLine(text, "Az şekerli"));
    // Only the current table, only the lines given.
    EXPECT_FALSE(text.contains("Bahçe 1"));
    EXPECT_FALSE(text.contains("Teras 3"));
    EXPECT_FALSE(text.contains("Limonata"));
    // The lines come in their order, the totals after them.
    EXPECT_LT(text.indexOf("Türk Kahvesi"), text.indexOf("Çay"));
    EXPECT_LT(text.indexOf("Künefe"), text.indexOf("Toplam"));
}

TEST_F(BillSlip, IsOneRollPageAsLongAsTheBill)
{
    printSlip();
    ASSERT_EQ(report.pageCount(), 1);
    const QSizeF threeLines = report.preparedPages().page(0).paperMm;
    EXPECT_EQ(threeLines.width(), 80);
    for (int i = 4; i <= 30; ++i)
        lines.appendRow({i, QStringLiteral("Ürün %1").arg(i), 1.0, 10.0, 10.0, 10.0});
    report.prepare();
    ASSERT_EQ(report.pageCount(), 1);
    EXPECT_NEAR(report.preparedPages().page(0).paperMm.height() - threeLines.height(), 27 * 18 / UnitsPerMm, 0.01);
}

TEST_F(BillSlip, AFreeTableGivesAnEmptySlipWithoutErrors)
{
    MemoryDataset noBill({"ADISYON_ID", "FIS_NO", "TARIH", "ACIKLAMA"});
    MemoryDataset noLines({"SN", "STOK_ADI", "CIKAN", "FIYAT", "TUTAR", "ARA_TUTAR"});
    MemoryDataset noSums({"T_TUTAR", "T_ISK", "T_ARA_TUTAR"});
    report.setDataset("Ds_1", &noBill);
    report.setDataset("Ds_2", &noLines);
    report.setDataset("ds_4", &noSums);
    const QString text = printSlip();
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_TRUE(hasLine(text, "Adisyon No:"));
    EXPECT_FALSE(text.contains("Ödenecek"));
}

class SummaryReport : public ::testing::Test {
protected:
    SummaryReport()
        : totals({"KASA", "BANKA", "MASA_ADI"},
                 {{1250.5, 300.0, "Bahçe 1"}, {QVariant(), 845.0, "Salon 2"}, {99.9, 0.0, "Teras 3"}})
    {
        report.setDataset("Ds_1", &totals, "dt_1");
    }

    QString exported()
    {
        report.loadFromFile(templatePath("w_Adisyon.fr3"));
        report.prepare();
        const QString pdf = dir.filePath("summary.pdf");
        report.exportToPdf(pdf);
        return pdfText(pdf);
    }

    QTemporaryDir dir;
    MemoryDataset totals;
    Report report;
};

TEST_F(SummaryReport, TemplateLoadsWithNothingNotUnderstood)
{
    report.loadFromFile(templatePath("w_Adisyon.fr3"));
    ASSERT_FALSE(report.isEmpty());
    EXPECT_EQ(report.notUnderstood(), QStringList());
}

TEST_F(SummaryReport, PrintsEveryTableAndTheTotalsOfCashAndCard)
{
    const QString text = exported();
    EXPECT_TRUE(report.messages().isEmpty()) << report.messages().join('\n').toStdString();
    EXPECT_TRUE(hasLine(text, "Adisyon Özet Rapor")) << text.toStdString();
    EXPECT_TRUE(hasLine(text, "Masa\\s+Kasa\\s+Banka\\s+Toplam"));
    EXPECT_TRUE(hasLine(text, "Bahçe 1\\s+1\\.250,50\\s+300,00\\s+1\\.550,50"));
    EXPECT_TRUE(hasLine(text, "Salon 2\\s+845,00\\s+845,00"));
    EXPECT_TRUE(hasLine(text, "Teras 3\\s+99,90\\s+0,00\\s+99,90"));
    EXPECT_TRUE(hasLine(text, "Toplam\\s+1\\.350,40\\s+1\\.145,00\\s+2\\.495,40"));
    EXPECT_TRUE(hasLine(text, "Sayfa 1 / 1"));
    EXPECT_TRUE(hasLine(text, QStringLiteral("Rapor Tarihi: %1").arg(QDate::currentDate().toString("dd\\.MM\\.yyyy")))
                || hasLine(text, QStringLiteral("Rapor Tarihi: %1").arg(QDate::currentDate().addDays(1).toString("dd\\.MM\\.yyyy"))));
}

TEST_F(SummaryReport, ManyTablesRunOverPagesWithTheColumnHeadersOnEach)
{
    MemoryDataset many({"KASA", "BANKA", "MASA_ADI"});
    for (int i = 1; i <= 150; ++i)
        many.appendRow({10.0, 5.0, QStringLiteral("Masa %1").arg(i, 3, 10, QLatin1Char('0'))});
    report.setDataset("Ds_1", &many);
    const QString text = exported();
    const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(report.pageCount(), 4);
    ASSERT_EQ(pages.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(hasLine(pages[i], "Masa\\s+Kasa\\s+Banka\\s+Toplam")) << i;
        EXPECT_TRUE(hasLine(pages[i], QStringLiteral("Sayfa %1 / 4").arg(i + 1))) << i;
    }
    EXPECT_TRUE(hasLine(pages[3], "Masa 150\\s+10,00\\s+5,00\\s+15,00"));
    EXPECT_TRUE(hasLine(pages[3], "Toplam\\s+1\\.500,00\\s+750,00\\s+2\\.250,00"));
}

}  // namespace
