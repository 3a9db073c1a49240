#include "MasterDataFixture.h"

#include "masterdata/u_L_Masa.h"
#include "platform/db/Field.h"
#include "platform/ui/DataGrid.h"

#include <QToolButton>

namespace {

const QString kCaption = QStringLiteral("Yeni Masa");
const QString kPrompt = QStringLiteral("Masa Adı : ");
const QString kDeleteQuestion = QStringLiteral("Masa Silinecek! devam edilsin mi?");

class TableWindow : public MasterDataTest {
protected:
    static QString currentName() { return dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(); }
};

TEST_F(TableWindow, ShowsNumberAndNameOnly)
{
    TL_Masa window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Masa Listesi"));
    EXPECT_EQ(window.cxGrid1DBTableView1->visibleColumns(),
              (QStringList{QStringLiteral("MASA_ID"), QStringLiteral("MASA_ADI")}));
    EXPECT_EQ(window.cxGrid1DBTableView1->hiddenColumns(),
              (QStringList{QStringLiteral("TUTAR"), QStringLiteral("ACIK_KAPALI")}));
    EXPECT_EQ(dm->Q_Masa->recordCount(), 20);
}

TEST_F(TableWindow, NewTableIsCommittedAtOnceAndFreeByTheDatabase)
{
    TL_Masa window;
    dialogs->expectInput(kCaption, kPrompt, QString(), QStringLiteral("Teras 1"));
    window.ToolButton1->click();
    EXPECT_EQ(currentName(), QStringLiteral("Teras 1"));
    EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("MASA_ID"))->asInteger(), 21);
    EXPECT_EQ(dm->Q_Masa->fieldByName(QStringLiteral("ACIK_KAPALI"))->asInteger(), 1);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ID = 21 and MASA_ADI = 'Teras 1' "
                                            "and ACIK_KAPALI = 1 and TUTAR = 0")),
              1);
}

TEST_F(TableWindow, EmptyNameChangesNothing)
{
    TL_Masa window;
    dialogs->expectInput(kCaption, kPrompt, QString(), std::nullopt);
    window.ToolButton1Click();
    dialogs->expectInput(kCaption, kPrompt, QString(), QString());
    window.ToolButton1Click();
    dialogs->expectInput(kCaption, kPrompt, currentName(), QString());
    window.ToolButton2Click();
    EXPECT_EQ(dm->Q_Masa->recordCount(), 20);
    EXPECT_EQ(dm->Q_Masa->state(), db::DatasetState::Browse);
}

TEST_F(TableWindow, DoubleClickRenamesCommittingAtOnceAndCancelWritesTheNameBack)
{
    TL_Masa window;
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 3));
    dialogs->expectInput(kCaption, kPrompt, QStringLiteral("Masa 3"), QStringLiteral("Pencere Önü"));
    emit window.cxGrid1DBTableView1->cellDoubleClicked();
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 3")).toString(),
              QStringLiteral("Pencere Önü"));

    dialogs->expectInput(kCaption, kPrompt, QStringLiteral("Pencere Önü"), std::nullopt);
    window.ToolButton2->click();
    EXPECT_EQ(currentName(), QStringLiteral("Pencere Önü"));
    EXPECT_EQ(dm->Q_Masa->state(), db::DatasetState::Browse);
}

TEST_F(TableWindow, RenameOnAnEmptyListAddsATable)
{
    exec(QStringLiteral("delete from MASA"));
    TL_Masa window;
    dialogs->expectInput(kCaption, kPrompt, QString(), QStringLiteral("Bar"));
    window.ToolButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ADI = 'Bar'")), 1);
}

TEST_F(TableWindow, LongNameIsCutToTheColumn)
{
    TL_Masa window;
    const QString name = QStringLiteral("Çatı Katı ").repeated(6);  // 60 characters
    dialogs->expectInput(kCaption, kPrompt, QString(), name);
    window.ToolButton1Click();
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 21")).toString(), name.left(50));
}

TEST_F(TableWindow, TableWithAnOpenBillIsNotDeletedAndNoQuestionIsAsked)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = 2 where MASA_ID = 5"));
    TL_Masa window;
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 5));
    dialogs->expectNotice(QStringLiteral("Açık masa silinemez!"), QStringLiteral("Hata"), ui::MessageIcon::Warning);
    window.ToolButton3->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ID = 5")), 1);
    EXPECT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 5));
}

TEST_F(TableWindow, BillOpenedSinceTheListWasReadAlsoKeepsTheTable)
{
    TL_Masa window;
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 6));
    // Another terminal opens a bill on table 6; this list still shows it free.
    exec(QStringLiteral("insert into ADISYON (MASA_ID) values (6)"));
    dialogs->expectNotice(QStringLiteral("Açık masa silinemez!"), QStringLiteral("Hata"), ui::MessageIcon::Warning);
    window.ToolButton3Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ID = 6")), 1);
}

TEST_F(TableWindow, FreeTableIsDeletedAfterYesAndTheDeleteCommits)
{
    exec(QStringLiteral("update MASA set ACIK_KAPALI = null where MASA_ID = 8"));
    TL_Masa window;
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 7));
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
    window.ToolButton3->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ID = 7")), 1);

    // Work another command left uncommitted goes with the delete's commit.
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 2));
    dm->Q_Masa->edit();
    dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Köşe"));
    dm->Q_Masa->post();
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 8));  // ACIK_KAPALI empty counts as free
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    window.ToolButton3Click();
    EXPECT_FALSE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 8));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from MASA where MASA_ID = 8")), 0);
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 2")).toString(), QStringLiteral("Köşe"));
}

TEST_F(TableWindow, DeleteOnAnEmptyListAsksThenReportsThatThereIsNoRow)
{
    exec(QStringLiteral("delete from MASA"));
    TL_Masa window;
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    dialogs->expectError(QStringLiteral("Q_Masa: boş veri kümesinde bu işlem yapılamaz."));
    window.ToolButton3->click();
}

TEST_F(TableWindow, ClosingLeavesTheTablesOpen)
{
    TL_Masa window;
    window.show();
    window.ToolButton4->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(dm->Q_Masa->active());
}

}  // namespace
