#include "BillsFixture.h"

#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"

#include <QDateTime>
#include <QTest>
#include <QToolButton>

using namespace billstest;

namespace {

// Lines of 60 and 40 with a 10 % discount: gross 100, discount 10, net 90.
class Closing : public BillsFixture {
protected:
    void SetUp() override
    {
        BillsFixture::SetUp();
        bill = storeOpenBill(3, {{kTurkKahvesi, 10}, {kIhlamur, 10}}, QStringLiteral("Doğum günü"));
        openPanel();
        selectTable(3);
    }

    QVariant billValue(const char* column) const
    {
        return value(QStringLiteral("select %1 from ADISYON where ADISYON_ID = %2")
                         .arg(QString::fromLatin1(column))
                         .arg(bill));
    }
    void click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The bill and its table exactly as they were before the command.
    void expectStillOpen()
    {
        EXPECT_EQ(ownValue(QStringLiteral("select ACIK_KAPALI from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 2);
        EXPECT_TRUE(
            ownValue(QStringLiteral("select TAHSILAT_ID from ADISYON where ADISYON_ID = %1").arg(bill)).isNull());
        EXPECT_EQ(tableState(3), 2);
        EXPECT_EQ(committedTableState(3), 2);
        EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 3);
        EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 2);
        EXPECT_EQ(dm->Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger(), bill);
        EXPECT_EQ(dm->Q_Adisyon->state(), db::DatasetState::Browse);
        EXPECT_EQ(dm->Q_Masa->state(), db::DatasetState::Browse);
        EXPECT_EQ(dm->Q_AH->recordCount(), 2);
        EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("90,00TL"));
        EXPECT_EQ(buttonFace(3), settingsColor("MASA_COLOR_2"));
    }
    void expectFreed()
    {
        // Committed at once: another connection sees the result.
        EXPECT_EQ(committedTableState(3), 1);
        EXPECT_EQ(billValue("ACIK_KAPALI").toInt(), 1);
        EXPECT_EQ(buttonFace(3), settingsColor("MASA_COLOR"));
        EXPECT_TRUE(dm->Q_Adisyon->isEmpty());
        EXPECT_TRUE(panel->cxDBLabel1->text().isEmpty());
        EXPECT_TRUE(panel->cxDBLabel3->text().isEmpty());
        EXPECT_EQ(panel->cxGrid1DBTableView1->shownRowCount(), 0);
    }

    int bill = 0;
};

TEST_F(Closing, CashStoresTheSumsAndFreesTheTable)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    click(panel->ToolButton4);
    expectFreed();
    EXPECT_EQ(billValue("TAHSILAT_ID").toInt(), 1);
    EXPECT_EQ(billValue("TUTAR").toDouble(), 100);
    EXPECT_EQ(billValue("ISKONTO").toDouble(), 10);
    EXPECT_EQ(billValue("ARA_TUTAR").toDouble(), 90);
    EXPECT_EQ(billValue("K_TUTAR").toDouble(), 90);
    EXPECT_EQ(billValue("B_TUTAR").toDouble(), 0);
    EXPECT_EQ(billValue("IPTAL_ID").toInt(), 1);
    EXPECT_EQ(billValue("ACIKLAMA").toString(), QStringLiteral("Doğum günü"));
    const QDateTime closed = billValue("KAPANIS_TARIHI").toDateTime();
    EXPECT_GE(closed, before);
    EXPECT_LE(closed, QDateTime::currentDateTime().addSecs(1));
}

TEST_F(Closing, CardStoresTheNetAsTheCardPart)
{
    click(panel->ToolButton5);
    expectFreed();
    EXPECT_EQ(billValue("TAHSILAT_ID").toInt(), 2);
    EXPECT_EQ(billValue("B_TUTAR").toDouble(), 90);
    EXPECT_EQ(billValue("K_TUTAR").toDouble(), 0);
    EXPECT_EQ(billValue("TUTAR").toDouble(), 100);
}

TEST_F(Closing, CancelAsksNothingAndLeavesTheLinesAlone)
{
    click(panel->ToolButton3);
    expectFreed();
    EXPECT_EQ(billValue("IPTAL_ID").toInt(), 2);
    EXPECT_TRUE(billValue("TAHSILAT_ID").isNull());
    EXPECT_TRUE(billValue("K_TUTAR").isNull());
    EXPECT_TRUE(billValue("B_TUTAR").isNull());
    EXPECT_EQ(billValue("ARA_TUTAR").toDouble(), 90);
    EXPECT_FALSE(billValue("KAPANIS_TARIHI").isNull());
    EXPECT_EQ(value(QStringLiteral("select count(*) from STOK_HAREKET where ADISYON_ID = %1 and IPTAL_ID = 1").arg(bill))
                  .toInt(),
              2);
}

struct PartialCase {
    const char* typed;
    double cash;
    double card;
};

class PartialPayment : public Closing, public ::testing::WithParamInterface<PartialCase> {};

TEST_P(PartialPayment, SplitsTheNetIntoCashAndCard)
{
    dialogs.expectInput(QStringLiteral("Kasa"), QStringLiteral("Nakit Tutar:"), {}, QString::fromUtf8(GetParam().typed));
    click(panel->ToolButton6);
    expectFreed();
    EXPECT_EQ(billValue("TAHSILAT_ID").toInt(), 3);
    EXPECT_DOUBLE_EQ(billValue("K_TUTAR").toDouble(), GetParam().cash);
    EXPECT_DOUBLE_EQ(billValue("B_TUTAR").toDouble(), GetParam().card);
    EXPECT_EQ(billValue("ARA_TUTAR").toDouble(), 90);
}

INSTANTIATE_TEST_SUITE_P(Amounts, PartialPayment,
                         ::testing::Values(PartialCase{"30", 30, 60}, PartialCase{"120", 120, -30},
                                           PartialCase{"90", 90, 0}, PartialCase{"12,5", 12.5, 77.5},
                                           PartialCase{"0,1", 0.1, 89.9}));

struct RefusedAmount {
    const char* typed;
    const char* error;  // nullptr: nothing shown
};

class PartialPaymentRefused : public Closing, public ::testing::WithParamInterface<RefusedAmount> {};

TEST_P(PartialPaymentRefused, StoresNothing)
{
    dialogs.expectInput(QStringLiteral("Kasa"), QStringLiteral("Nakit Tutar:"), {}, QString::fromUtf8(GetParam().typed));
    if (GetParam().error)
        dialogs.expectError(QString::fromUtf8(GetParam().error));
    click(panel->ToolButton6);
    expectStillOpen();
    EXPECT_EQ(billValue("ACIK_KAPALI").toInt(), 2);
}

INSTANTIATE_TEST_SUITE_P(Amounts, PartialPaymentRefused,
                         ::testing::Values(RefusedAmount{"0", nullptr}, RefusedAmount{"-5", nullptr},
                                           RefusedAmount{"", "Nakit tutar girilmedi; tahsilat yapılmadı."},
                                           RefusedAmount{"abc", "'abc' geçerli bir tutar değil."},
                                           RefusedAmount{"1.000,5", "'1.000,5' geçerli bir tutar değil."}));

TEST_F(Closing, QuestionsFollowTheSettingsFlagsExactly)
{
    setSetting(QStringLiteral("KASA_UYARI"), QStringLiteral("'True'"));
    setSetting(QStringLiteral("BANKA_UYARI"), QStringLiteral("'True'"));
    dialogs.expectQuestion(QStringLiteral("Adisyon Nakit Tahsil edilecek Devam edilsin mi!"), {},
                           ui::MessageIcon::Warning, ui::DialogButton::No);
    click(panel->ToolButton4);
    dialogs.expectQuestion(QStringLiteral("Adisyon Banka Tahsil edilecek Devam edilsin mi!"), {},
                           ui::MessageIcon::Warning, ui::DialogButton::No);
    click(panel->ToolButton5);
    expectStillOpen();
    dialogs.expectQuestion(QStringLiteral("Adisyon Banka Tahsil edilecek Devam edilsin mi!"), {},
                           ui::MessageIcon::Warning, ui::DialogButton::Yes);
    click(panel->ToolButton5);
    expectFreed();
    EXPECT_EQ(billValue("TAHSILAT_ID").toInt(), 2);
}

TEST_F(Closing, ALowerCaseFlagCollectsWithoutAsking)
{
    setSetting(QStringLiteral("KASA_UYARI"), QStringLiteral("'true'"));
    click(panel->ToolButton4);
    expectFreed();
}

TEST_F(Closing, AFreeTableHasNoBillToClose)
{
    selectTable(4);
    for (QToolButton* command : {panel->ToolButton3, panel->ToolButton4, panel->ToolButton5, panel->ToolButton6}) {
        dialogs.expectNotice(QStringLiteral("Adisyon yok!"), {}, ui::MessageIcon::Warning);
        click(command);
    }
    EXPECT_EQ(ownValue(QStringLiteral("select count(*) from ADISYON")).toInt(), 1);
}

TEST_F(Closing, ABillWithoutLiveLinesStoresEmptySums)
{
    exec(QStringLiteral("update STOK_HAREKET set IPTAL_ID = 2"));
    openPanel();
    selectTable(3);
    click(panel->ToolButton4);
    expectFreed();
    for (const char* column : {"TUTAR", "ISKONTO", "ARA_TUTAR", "K_TUTAR"})
        EXPECT_TRUE(billValue(column).isNull()) << column;
    EXPECT_EQ(billValue("B_TUTAR").toDouble(), 0);
}

TEST_F(Closing, AnOccupiedTableWithoutABillRowGetsAClosedEmptyBill)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 5"));
    openPanel();
    selectTable(5);
    ASSERT_TRUE(dm->Q_Adisyon->isEmpty());
    click(panel->ToolButton4);
    EXPECT_EQ(committedTableState(5), 1);
    EXPECT_EQ(buttonFace(5), settingsColor("MASA_COLOR"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where MASA_ID = 5 and ACIK_KAPALI = 1 and "
                                   "TAHSILAT_ID = 1 and TUTAR is null and B_TUTAR = 0 and KAPANIS_TARIHI is not null"))
                  .toInt(),
              1);
}

TEST_F(Closing, ALockOnTheBillFailsAtOnceAndLeavesEverythingAsItWas)
{
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update ADISYON set ACIKLAMA = ACIKLAMA where ADISYON_ID = %1").arg(bill));
    hold.execute();
    for (QToolButton* command : {panel->ToolButton3, panel->ToolButton4, panel->ToolButton5}) {
        click(command);
        expectStillOpen();
    }
    EXPECT_EQ(dialogs.lockErrors.size(), 3);
    other.transaction->rollback();
    click(panel->ToolButton4);
    expectFreed();
}

TEST_F(Closing, ALockOnTheTableUndoesTheStoredBillToo)
{
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update MASA set MASA_ADI = MASA_ADI where MASA_ID = 3"));
    hold.execute();
    dialogs.expectInput(QStringLiteral("Kasa"), QStringLiteral("Nakit Tutar:"), {}, QStringLiteral("30"));
    click(panel->ToolButton6);
    EXPECT_EQ(dialogs.lockErrors.size(), 1);
    expectStillOpen();
    other.transaction->rollback();
    // A later commit of anything stores nothing of the failed command.
    dm->IBTransaction1->commitRetaining();
    EXPECT_EQ(billValue("ACIK_KAPALI").toInt(), 2);
    EXPECT_TRUE(billValue("K_TUTAR").isNull());
}

TEST_F(Closing, ABillClosedMeanwhileOnAnotherTerminalIsNotClosedAgain)
{
    exec(QStringLiteral("update ADISYON set ACIK_KAPALI = 1, TAHSILAT_ID = 2, B_TUTAR = 90 where ADISYON_ID = %1")
             .arg(bill));
    dialogs.expectError(QStringLiteral("Bu adisyon başka bir terminalde kapatılmış ya da başka masaya taşınmış. "
                                       "Masa yeniden okundu."));
    click(panel->ToolButton4);
    EXPECT_EQ(billValue("TAHSILAT_ID").toInt(), 2);
    EXPECT_EQ(billValue("B_TUTAR").toDouble(), 90);
    EXPECT_TRUE(billValue("K_TUTAR").isNull());
    EXPECT_TRUE(dm->Q_Adisyon->isEmpty());
}

}  // namespace
