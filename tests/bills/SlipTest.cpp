#include "BillsFixture.h"

#include "bills/u_L_Adisyon.h"
#include "data/u_dm.h"
#include "platform/report/MemoView.h"
#include "platform/report/ReportPreview.h"
#include "platform/report/designer/DesignerWindow.h"
#include "platform/ui/Modal.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QToolButton>

using namespace billstest;

namespace {

class BillSlip : public BillsFixture {
protected:
    QString productName(int stokId) const
    {
        return value(QStringLiteral("select STOK_ADI from STOK where STOK_ID = %1").arg(stokId)).toString();
    }
    // Prints into a PDF file instead of a printer, noting which printer the
    // slip was meant for and whether a dialog would have come up.
    void captureOutput()
    {
        pdfPath = programFolder->filePath(QStringLiteral("slip.pdf"));
        dm->Report->setPrinterFactory([this](const QString& name) {
            printerAsked = name;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath);
            return printer;
        });
        dm->Report->setPrintDialogHandler([this](QPrinter&, QWidget*) {
            dialogShown = true;
            return true;
        });
    }

    QString pdfPath;
    QString printerAsked;
    bool dialogShown = false;
};

TEST_F(BillSlip, PrintGoesToTheSlipPrinterWithTheLiveLinesOnly)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kCay}, {kSu}});
    exec(QStringLiteral("update STOK_HAREKET set IPTAL_ID = 2 where ADISYON_ID = %1 and STOK_ID = %2")
             .arg(bill)
             .arg(kSu));
    setSetting(QStringLiteral("YAZICI"), QStringLiteral("'Mutfak'"));
    openPanel();
    selectTable(3);
    captureOutput();
    panel->ToolButton7Click();
    EXPECT_EQ(printerAsked, QStringLiteral("Mutfak"));
    EXPECT_FALSE(dialogShown);
    const QString text = pdfText(pdfPath);
    EXPECT_TRUE(text.contains(productName(kTurkKahvesi))) << text.toStdString();
    EXPECT_TRUE(text.contains(productName(kCay)));
    EXPECT_FALSE(text.contains(productName(kSu)));
    EXPECT_TRUE(text.contains(QStringLiteral("77,50"))) << text.toStdString();
}

TEST_F(BillSlip, PreviewAfterADiscountShowsTheDiscountedSums)
{
    storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur}});
    openPanel();
    selectTable(3);
    dialogs.expectInput(QStringLiteral("Yüzde İskonto"), QStringLiteral("% : "), QString(), QStringLiteral("10"));
    panel->Yzde1Click();
    const QString path = programFolder->filePath(QStringLiteral("preview.pdf"));
    int previews = 0;
    ui::ModalHookScope hook([&](QDialog& shown) {
        if (qobject_cast<report::ReportPreview*>(&shown)) {
            ++previews;
            dm->Report->exportToPdf(path);
        }
        shown.close();
    });
    panel->ToolButton2Click();
    ASSERT_EQ(previews, 1);
    // 60 + 40 less 10 %.
    EXPECT_TRUE(pdfText(path).contains(QStringLiteral("90,00")));
}

TEST_F(BillSlip, MissingTemplateGivesAnEmptyPreviewAndNoError)
{
    storeOpenBill(3, {{kTurkKahvesi}});
    QFile::remove(programFolder->filePath(QStringLiteral("rapor/AdisyonFisi.fr3")));
    openPanel();
    selectTable(3);
    int previews = 0;
    ui::ModalHookScope hook([&](QDialog& shown) {
        ++previews;
        shown.close();
    });
    panel->ToolButton2Click();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(dm->Report->isEmpty());
}

TEST_F(BillSlip, ABrokenTemplateGivesATurkishErrorAndPrintsNothing)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}});
    QFile file(programFolder->filePath(QStringLiteral("rapor/AdisyonFisi.fr3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<?xml version=\"1.0\"?>\n<TfrxReport>\n  <TfrxReportPage Name=\"Page1\">\n</TfrxReport>\n");
    file.close();
    openPanel();
    selectTable(3);
    captureOutput();
    dialogs.expectError(QStringLiteral(
        "AdisyonFisi.fr3, satır 4, sütun 13: XML yapısı bozuk: etiketler ya da işaretler kurallara uymuyor"));
    panel->ToolButton7->click();
    dialogs.verify();
    EXPECT_TRUE(printerAsked.isEmpty());
    EXPECT_FALSE(QFile::exists(pdfPath));
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1").arg(bill)).toInt(), 1);
}

TEST_F(BillSlip, WhatTheDesignerSavesIsWhatTheNextSlipPrints)
{
    storeOpenBill(3, {{kTurkKahvesi}});
    openPanel();
    selectTable(3);
    int designers = 0;
    ui::ModalHookScope hook([&](QDialog& shown) {
        auto* designer = qobject_cast<report::DesignerWindow*>(&shown);
        ASSERT_NE(designer, nullptr);
        ++designers;
        const auto memos = dm->Report->reportTemplate().findChildren<report::MemoView*>();
        ASSERT_FALSE(memos.isEmpty());
        designer->document().setMemoText(memos.first(), QStringLiteral("AFIYET"));
        EXPECT_TRUE(designer->save());
        shown.close();
    });
    panel->ToolButton11Click();
    ASSERT_EQ(designers, 1);
    captureOutput();
    panel->ToolButton7Click();
    const QString text = pdfText(pdfPath);
    EXPECT_TRUE(text.contains(QStringLiteral("AFIYET"))) << text.toStdString();
}

}  // namespace
