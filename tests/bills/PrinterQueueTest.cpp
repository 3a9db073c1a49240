// Slips printed through a real print queue: a private CUPS server with PDF
// printers, the printer named in the settings, no print dialog.
#include "BillsFixture.h"
#include "PrivateCups.h"

#include "bills/u_L_Adisyon.h"
#include "data/u_dm.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QToolButton>

using namespace billstest;

namespace {

class PrinterQueue : public BillsFixture {
protected:
    static void SetUpTestSuite() { cups = new PrivateCups({QStringLiteral("Kasa"), QStringLiteral("Mutfak")}); }
    static void TearDownTestSuite()
    {
        delete cups;
        cups = nullptr;
    }

    void SetUp() override
    {
        if (!cups->started())
            GTEST_SKIP() << "no print server for this test: " << cups->failure().toStdString();
        BillsFixture::SetUp();
    }

    QString productName(int stokId) const
    {
        return value(QStringLiteral("select STOK_ADI from STOK where STOK_ID = %1").arg(stokId)).toString();
    }

    // Prints the slip of the table with "Yazdır" and returns what the
    // expected printer wrote, checking that the other one wrote nothing.
    QString printSlip(int masaId, const QString& expectedPrinter, const QString& otherPrinter)
    {
        openPanel();
        selectTable(masaId);
        panel->ToolButton7->click();
        const QStringList files = cups->waitForOutput(expectedPrinter);
        EXPECT_EQ(files.size(), 1) << "nothing printed on " << expectedPrinter.toStdString() << "\n"
                                   << cups->logTail().toStdString();
        EXPECT_TRUE(cups->waitForOutput(otherPrinter, 500).isEmpty());
        QString text;
        for (const QString& file : files) {
            text += pdfText(file);
            QFile::remove(file);
        }
        return text;
    }

    static PrivateCups* cups;
};

PrivateCups* PrinterQueue::cups = nullptr;

TEST_F(PrinterQueue, TheSlipGoesToThePrinterNamedInTheSettings)
{
    const int bill = storeOpenBill(3, {{kTurkKahvesi}, {kCay}, {kSu}});
    exec(QStringLiteral("update STOK_HAREKET set IPTAL_ID = 2 where ADISYON_ID = %1 and STOK_ID = %2")
             .arg(bill)
             .arg(kSu));
    setSetting(QStringLiteral("YAZICI"), QStringLiteral("'%1'").arg(cups->queueName(QStringLiteral("Mutfak"))));
    const QString text = printSlip(3, QStringLiteral("Mutfak"), QStringLiteral("Kasa"));
    EXPECT_TRUE(text.contains(productName(kTurkKahvesi))) << text.toStdString();
    EXPECT_TRUE(text.contains(productName(kCay)));
    EXPECT_FALSE(text.contains(productName(kSu)));
    EXPECT_TRUE(text.contains(QStringLiteral("77,50"))) << text.toStdString();
}

TEST_F(PrinterQueue, AnEmptyOrUnknownNameUsesTheDefaultPrinter)
{
    storeOpenBill(5, {{kIhlamur}});
    for (const QString& name : {QString(), QStringLiteral("Olmayan Yazıcı")}) {
        SCOPED_TRACE(name.toStdString());
        setSetting(QStringLiteral("YAZICI"), QStringLiteral("'%1'").arg(name));
        const QString text = printSlip(5, QStringLiteral("Kasa"), QStringLiteral("Mutfak"));
        EXPECT_TRUE(text.contains(productName(kIhlamur))) << text.toStdString();
    }
}

}  // namespace
