#include "MasterDataFixture.h"

#include "masterdata/u_L_Birim.h"
#include "platform/db/Field.h"
#include "platform/ui/DataGrid.h"

#include <QToolButton>

namespace {

const QString kCaption = QStringLiteral("Yeni Birim");
const QString kPrompt = QStringLiteral("Birim Adı : ");
const QString kDeleteQuestion = QStringLiteral("Birim tanımı kalıcı olarak silinecek!\rOnaylıyor musunuz?");

class UnitWindow : public MasterDataTest {
protected:
    static QString currentName() { return dm->Q_Birim->fieldByName(QStringLiteral("BIRIM"))->asString(); }
};

TEST_F(UnitWindow, NewUnitIsCommitted)
{
    TL_Birim window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Birim Tanımları"));
    EXPECT_EQ(window.cxGrid1DBTableView1->columnOrder(), (QStringList{QStringLiteral("SN"), QStringLiteral("BIRIM")}));
    dialogs->expectInput(kCaption, kPrompt, QString(), QStringLiteral("Dilim"));
    window.ToolButton1->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Dilim' and SN = 7")), 1);
}

TEST_F(UnitWindow, EmptyNameAddsNothing)
{
    TL_Birim window;
    dialogs->expectInput(kCaption, kPrompt, QString(), QString());
    window.ToolButton1Click();
    dialogs->expectInput(kCaption, kPrompt, QString(), std::nullopt);
    window.ToolButton1Click();
    EXPECT_EQ(dm->Q_Birim->recordCount(), 6);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM")), 6);
}

TEST_F(UnitWindow, RenameShowsTheCurrentNameUnderTheNewUnitCaption)
{
    const int glasses = committedCount(QStringLiteral("select count(*) from STOK where BIRIM = 'Bardak'"));
    ASSERT_GT(glasses, 0);
    TL_Birim window;
    ASSERT_TRUE(dm->Q_Birim->locate(QStringLiteral("BIRIM"), QStringLiteral("Bardak")));
    dialogs->expectInput(kCaption, kPrompt, QStringLiteral("Bardak"), QStringLiteral("Çay Bardağı"));
    window.ToolButton2->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Çay Bardağı'")), 1);
    // Products keep the name they were given.
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where BIRIM = 'Bardak'")), glasses);

    dialogs->expectInput(kCaption, kPrompt, QStringLiteral("Çay Bardağı"), std::nullopt);
    window.ToolButton2Click();
    EXPECT_EQ(currentName(), QStringLiteral("Çay Bardağı"));
    EXPECT_EQ(dm->Q_Birim->state(), db::DatasetState::Browse);
}

TEST_F(UnitWindow, RenameOnAnEmptyListAddsAUnit)
{
    exec(QStringLiteral("delete from BIRIM"));
    TL_Birim window;
    dialogs->expectInput(kCaption, kPrompt, QString(), QStringLiteral("Adet"));
    window.ToolButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Adet'")), 1);
}

TEST_F(UnitWindow, LongNameIsCutToTheColumn)
{
    TL_Birim window;
    const QString name = QStringLiteral("Büyük Boy Şişe, 1,5 Litre");
    ASSERT_EQ(name.size(), 25);
    dialogs->expectInput(kCaption, kPrompt, QString(), name);
    window.ToolButton1Click();
    EXPECT_EQ(value(QStringLiteral("select BIRIM from BIRIM where SN = 7")).toString(), name.left(20));
}

TEST_F(UnitWindow, DeletingAUnitLeavesTheProductsThatUseIt)
{
    TL_Birim window;
    ASSERT_TRUE(dm->Q_Birim->locate(QStringLiteral("BIRIM"), QStringLiteral("Fincan")));
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Soru"), ui::MessageIcon::Warning, ui::DialogButton::No);
    window.ToolButton3->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Fincan'")), 1);

    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Soru"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    window.ToolButton3->click();
    EXPECT_FALSE(dm->Q_Birim->locate(QStringLiteral("BIRIM"), QStringLiteral("Fincan")));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from BIRIM where BIRIM = 'Fincan'")), 0);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where BIRIM = 'Fincan'")), 4);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK")), 40);
}

TEST_F(UnitWindow, ClosingClosesTheUnits)
{
    TL_Birim window;
    window.show();
    window.ToolButton4->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(dm->Q_Birim->active());
}

}  // namespace
