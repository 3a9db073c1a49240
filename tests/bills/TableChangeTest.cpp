#include "BillsFixture.h"

#include "bills/u_F_MasaChange.h"
#include "bills/u_L_Adisyon.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataLabel.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

using namespace billstest;

namespace {

class TableChange : public BillsFixture {
protected:
    void SetUp() override
    {
        BillsFixture::SetUp();
        bill = storeOpenBill(3, {{kTurkKahvesi}, {kIhlamur}}, QStringLiteral("Pencere"));
        exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 6"));
        exec(QStringLiteral("update MASA set ACIK_KAPALI = null where MASA_ID = 8"));
    }
    static QStringList offered(TF_MasaChange& w)
    {
        QStringList names;
        for (int i = 0; i < w.cxComboBox1->count(); ++i)
            names << w.cxComboBox1->itemText(i);
        return names;
    }
    static void choose(TF_MasaChange& w, const QString& name)
    {
        const int index = w.cxComboBox1->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        w.cxComboBox1->setCurrentIndex(index);
        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    }
    int currentTable() const { return int(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger()); }

    int bill = 0;
};

TEST_F(TableChange, TheBillMovesToTheChosenFreeTable)
{
    openPanel();
    selectTable(3);
    withTableChange([&](TF_MasaChange& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Masa Degistir"));
        EXPECT_EQ(w.cxDBLabel1->text(), QStringLiteral("Masa 3"));
        EXPECT_EQ(w.cxComboBox1->currentIndex(), -1);
        choose(w, QStringLiteral("Masa 7"));
        EXPECT_FALSE(w.isVisible());
    });
    // Committed at once.
    EXPECT_EQ(committedTableState(3), 1);
    EXPECT_EQ(committedTableState(7), 2);
    EXPECT_EQ(value(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 7);
    EXPECT_EQ(value(QStringLiteral("select ACIKLAMA from ADISYON where ADISYON_ID = %1").arg(bill)).toString(),
              QStringLiteral("Pencere"));
    EXPECT_EQ(buttonFace(3), settingsColor("MASA_COLOR"));
    EXPECT_EQ(buttonFace(7), settingsColor("MASA_COLOR_2"));
    EXPECT_EQ(currentTable(), 7);
    EXPECT_EQ(panel->cxDBLabel4->text(), QStringLiteral("Masa 7"));
    EXPECT_EQ(panel->cxDBLabel1->text(), QString::number(bill));
    EXPECT_EQ(panel->cxDBLabel3->text(), QStringLiteral("100,00TL"));
    EXPECT_EQ(dm->Q_AH->recordCount(), 2);
}

TEST_F(TableChange, OnlyFreeTablesAreOfferedInIdOrder)
{
    openPanel();
    selectTable(3);
    withTableChange([&](TF_MasaChange& w) {
        const QStringList names = offered(w);
        EXPECT_FALSE(names.contains(QStringLiteral("Masa 3")));
        EXPECT_FALSE(names.contains(QStringLiteral("Masa 6")));
        EXPECT_FALSE(names.contains(QStringLiteral("Masa 8")));
        EXPECT_EQ(names.first(), QStringLiteral("Masa 1"));
        EXPECT_EQ(names.at(3), QStringLiteral("Masa 5"));
        EXPECT_EQ(names.at(4), QStringLiteral("Masa 7"));
        EXPECT_EQ(names.last(), QStringLiteral("Bahçe 4"));
        EXPECT_EQ(names.size(), 17);
        QTest::mouseClick(w.BitBtn2, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(committedTableState(3), 2);
    EXPECT_EQ(value(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 3);
    EXPECT_EQ(WorkQuery, nullptr);
}

TEST_F(TableChange, TamamWithoutAChoiceAsksForOne)
{
    openPanel();
    selectTable(3);
    withTableChange([&](TF_MasaChange& w) {
        dialogs.expectNotice(QStringLiteral("Lütfen masa seçiniz"), {}, ui::MessageIcon::Warning);
        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(w.isVisible());
        choose(w, QStringLiteral("Masa 4"));
    });
    EXPECT_EQ(committedTableState(4), 2);
}

TEST_F(TableChange, ATableWithoutABillGivesTheTargetANewEmptyBill)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 9"));
    openPanel();
    selectTable(9);
    withTableChange([&](TF_MasaChange& w) { choose(w, QStringLiteral("Masa 10")); });
    EXPECT_EQ(committedTableState(9), 1);
    EXPECT_EQ(committedTableState(10), 2);
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where MASA_ID = 10 and ACIK_KAPALI = 2 and "
                                   "IPTAL_ID = 1"))
                  .toInt(),
              1);
    EXPECT_EQ(currentTable(), 10);
    EXPECT_FALSE(dm->Q_Adisyon->isEmpty());
}

TEST_F(TableChange, AFreeTableChosenForItselfGetsAnEmptyOpenBill)
{
    openPanel();
    selectTable(4);
    withTableChange([&](TF_MasaChange& w) {
        EXPECT_TRUE(offered(w).contains(QStringLiteral("Masa 4")));
        choose(w, QStringLiteral("Masa 4"));
    });
    EXPECT_EQ(committedTableState(4), 2);
    EXPECT_EQ(buttonFace(4), settingsColor("MASA_COLOR_2"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from ADISYON where MASA_ID = 4")).toInt(), 1);
}

TEST_F(TableChange, ALockOnTheTargetLeavesBothTablesAndTheBillAsTheyWere)
{
    openPanel();
    selectTable(3);
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update MASA set MASA_ADI = MASA_ADI where MASA_ID = 7"));
    hold.execute();
    withTableChange([&](TF_MasaChange& w) {
        choose(w, QStringLiteral("Masa 7"));
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(dialogs.lockErrors.size(), 1);
    // Nothing half-done, not even in the program's own transaction.
    EXPECT_EQ(tableState(3), 2);
    EXPECT_EQ(tableState(7), 1);
    EXPECT_EQ(ownValue(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 3);
    EXPECT_EQ(currentTable(), 3);
    EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 2);
    EXPECT_EQ(dm->Q_Adisyon->fieldByName(QStringLiteral("ADISYON_ID"))->asInteger(), bill);
    EXPECT_EQ(buttonFace(3), settingsColor("MASA_COLOR_2"));
    EXPECT_EQ(buttonFace(7), settingsColor("MASA_COLOR"));
    other.transaction->rollback();
    dm->IBTransaction1->commitRetaining();
    EXPECT_EQ(committedTableState(3), 2);
    EXPECT_EQ(committedTableState(7), 1);
}

TEST_F(TableChange, ALockOnTheBillLeavesTheOldTableOccupied)
{
    openPanel();
    selectTable(3);
    testsupport::Session other(databasePath);
    db::Statement hold(*other.transaction);
    hold.setSql(QStringLiteral("update ADISYON set ACIKLAMA = ACIKLAMA where ADISYON_ID = %1").arg(bill));
    hold.execute();
    withTableChange([&](TF_MasaChange& w) { choose(w, QStringLiteral("Masa 7")); });
    EXPECT_EQ(dialogs.lockErrors.size(), 1);
    EXPECT_EQ(tableState(3), 2);
    EXPECT_EQ(tableState(7), 1);
    EXPECT_EQ(currentTable(), 3);
    EXPECT_EQ(buttonFace(3), settingsColor("MASA_COLOR_2"));
}

TEST_F(TableChange, ABillClosedMeanwhileOnAnotherTerminalIsNotMoved)
{
    openPanel();
    selectTable(3);
    exec(QStringLiteral("update ADISYON set ACIK_KAPALI = 1, TAHSILAT_ID = 1 where ADISYON_ID = %1").arg(bill));
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 1 where MASA_ID = 3"));
    dialogs.expectError(QStringLiteral("Bu adisyon başka bir terminalde kapatılmış ya da başka masaya taşınmış. "
                                       "Masa yeniden okundu."));
    withTableChange([&](TF_MasaChange& w) { choose(w, QStringLiteral("Masa 7")); });
    EXPECT_EQ(value(QStringLiteral("select ACIK_KAPALI from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 1);
    EXPECT_EQ(value(QStringLiteral("select MASA_ID from ADISYON where ADISYON_ID = %1").arg(bill)).toInt(), 3);
    EXPECT_EQ(committedTableState(7), 1);
    EXPECT_TRUE(dm->Q_Adisyon->isEmpty());
}

}  // namespace
