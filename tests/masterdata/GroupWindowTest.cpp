#include "MasterDataFixture.h"

#include "masterdata/u_L_Grup.h"
#include "masterdata/u_L_Stok_index.h"
#include "platform/db/Field.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DatasetModel.h"
#include "platform/ui/Modal.h"

#include <QToolButton>

namespace {

const QString kPrompt = QStringLiteral("Grup Adı : ");
const QString kDeleteQuestion =
    QStringLiteral("Grup ve bu gruba bağlı stoklar kalıcı olarak silinecek!\rOnaylıyor musunuz?");

class GroupWindow : public MasterDataTest {
protected:
    static QString currentName() { return dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ADI"))->asString(); }
};

TEST_F(GroupWindow, NewGroupIsCommittedWithoutAnOrderNumber)
{
    TL_Grup window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Grup Tanımları"));
    EXPECT_EQ(window.cxGrid1DBTableView1->columnOrder(),
              (QStringList{QStringLiteral("GRUP_ID"), QStringLiteral("GRUP_ADI"), QStringLiteral("SIRA_NO")}));
    dialogs->expectInput(QStringLiteral("Yeni Grup"), kPrompt, QString(), QStringLiteral("İçecekler"));
    window.ToolButton1->click();
    EXPECT_EQ(WorkText, QStringLiteral("İçecekler"));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP where GRUP_ADI = 'İçecekler' and SIRA_NO is "
                                            "null and GRUP_ID = 7")),
              1);
    EXPECT_EQ(currentName(), QStringLiteral("İçecekler"));
}

struct EmptyInputCase {
    bool rename;
    std::optional<QString> typed;  // nothing: Cancel
};

class GroupEmptyInput : public GroupWindow, public ::testing::WithParamInterface<EmptyInputCase> {};

TEST_P(GroupEmptyInput, ChangesNothingAndSaysNothing)
{
    TL_Grup window;
    const int rows = dm->Q_Grup->recordCount();
    const QString name = currentName();
    if (GetParam().rename) {
        dialogs->expectInput(QStringLiteral("Düzenle Grup"), kPrompt, name, GetParam().typed);
        window.ToolButton2Click();
    } else {
        dialogs->expectInput(QStringLiteral("Yeni Grup"), kPrompt, QString(), GetParam().typed);
        window.ToolButton1Click();
    }
    EXPECT_EQ(dm->Q_Grup->recordCount(), rows);
    EXPECT_EQ(dm->Q_Grup->state(), db::DatasetState::Browse);
    EXPECT_EQ(currentName(), name);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP")), rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupEmptyInput,
                         ::testing::Values(EmptyInputCase{false, QString()}, EmptyInputCase{false, std::nullopt},
                                           EmptyInputCase{true, QString()}));

TEST_F(GroupWindow, RenameStoresTheNewNameAndItsProductsFollow)
{
    TL_Grup window;
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Tatlılar")));
    dialogs->expectInput(QStringLiteral("Düzenle Grup"), kPrompt, QStringLiteral("Tatlılar"),
                         QStringLiteral("Tatlı Çeşitleri"));
    window.ToolButton2->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP where GRUP_ADI = 'Tatlı Çeşitleri'")), 1);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where GRUP_ADI = 'Tatlı Çeşitleri'")), 6);
}

TEST_F(GroupWindow, CancelledRenameWritesTheSameNameBack)
{
    TL_Grup window;
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Kahvaltı")));
    dialogs->expectInput(QStringLiteral("Düzenle Grup"), kPrompt, QStringLiteral("Kahvaltı"), std::nullopt);
    window.ToolButton2Click();
    EXPECT_EQ(currentName(), QStringLiteral("Kahvaltı"));
    EXPECT_EQ(dm->Q_Grup->state(), db::DatasetState::Browse);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP where GRUP_ADI = 'Kahvaltı'")), 1);
}

TEST_F(GroupWindow, RenameOnAnEmptyListAddsAGroup)
{
    exec(QStringLiteral("delete from GRUP"));
    TL_Grup window;
    ASSERT_TRUE(dm->Q_Grup->isEmpty());
    dialogs->expectInput(QStringLiteral("Düzenle Grup"), kPrompt, QString(), QStringLiteral("Çorbalar"));
    window.ToolButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP where GRUP_ADI = 'Çorbalar'")), 1);
}

TEST_F(GroupWindow, LongNameIsCutToTheColumn)
{
    TL_Grup window;
    const QString name = QStringLiteral("Ğ").repeated(45);
    dialogs->expectInput(QStringLiteral("Yeni Grup"), kPrompt, QString(), name);
    window.ToolButton1Click();
    EXPECT_EQ(value(QStringLiteral("select GRUP_ADI from GRUP where GRUP_ID = 7")).toString(), name.left(40));
}

TEST_F(GroupWindow, DeleteAnsweredNoKeepsTheGroup)
{
    TL_Grup window;
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
    window.ToolButton3->click();
    EXPECT_EQ(dm->Q_Grup->recordCount(), 6);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP")), 6);
}

TEST_F(GroupWindow, DeleteRemovesTheGroupWithItsProductsAndCommitsAtOnce)
{
    TL_Grup window;
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Kahvaltı")));
    const int id = int(dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ID"))->asInteger());
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    window.ToolButton3->click();
    EXPECT_FALSE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Kahvaltı")));
    // Another connection sees it: no later discard can bring it back.
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from GRUP where GRUP_ID = %1").arg(id)), 0);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where GRUP_ID = %1").arg(id)), 0);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK")), 33);
}

TEST_F(GroupWindow, DeleteOnAnEmptyListReportsThatThereIsNoRow)
{
    exec(QStringLiteral("delete from GRUP"));
    TL_Grup window;
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    dialogs->expectError(QStringLiteral("Q_Grup: boş veri kümesinde bu işlem yapılamaz."));
    window.ToolButton3->click();
}

TEST_F(GroupWindow, OrderNumberTypedInTheListIsStoredOnLeavingTheRowOrClosing)
{
    TL_Grup window;
    ui::DatasetModel* model = window.cxGrid1DBTableView1->datasetModel();
    // Only the order number is typed in place.
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    ASSERT_TRUE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable);

    ASSERT_TRUE(model->setData(model->index(0, 2), QStringLiteral("12"), Qt::EditRole));
    const qint64 first = dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ID"))->asInteger();
    dm->Q_Grup->next();
    EXPECT_EQ(committedCount(QStringLiteral("select SIRA_NO from GRUP where GRUP_ID = %1").arg(first)), 12);

    ASSERT_TRUE(model->setData(model->index(1, 2), QStringLiteral("11"), Qt::EditRole));
    const qint64 second = dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ID"))->asInteger();
    window.show();
    window.ToolButton4->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(dm->Q_Grup->active());
    EXPECT_EQ(committedCount(QStringLiteral("select SIRA_NO from GRUP where GRUP_ID = %1").arg(second)), 11);
}

TEST_F(GroupWindow, LettersInTheOrderNumberAreRefused)
{
    TL_Grup window;
    ui::DatasetModel* model = window.cxGrid1DBTableView1->datasetModel();
    dialogs->expectError(QStringLiteral("SIRA_NO alanına yazılan 'bir' geçerli bir tam sayı değil."));
    EXPECT_FALSE(model->setData(model->index(0, 2), QStringLiteral("bir"), Qt::EditRole));
    const qint64 id = dm->Q_Grup->fieldByName(QStringLiteral("GRUP_ID"))->asInteger();
    EXPECT_EQ(dm->Q_Grup->fieldByName(QStringLiteral("SIRA_NO"))->asInteger(), id);  // demo: the order is the id
    EXPECT_EQ(committedCount(QStringLiteral("select SIRA_NO from GRUP where GRUP_ID = %1").arg(id)), int(id));
}

TEST_F(GroupWindow, IndexShowsTheProductsOfTheGroupUnderTheCursor)
{
    TL_Grup window;
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Ana Yemekler")));
    bool shown = false;
    ui::ModalHookScope hook([&](QDialog& shownWindow) {
        auto& products = dynamic_cast<TL_Stok_index&>(shownWindow);
        shown = true;
        EXPECT_EQ(products.cxDBLabel4->text(), QStringLiteral("Ana Yemekler"));
        EXPECT_EQ(dm->Q_Stok->recordCount(), 7);
        products.close();
    });
    window.ToolButton5->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dm->Q_Stok->active());
    EXPECT_EQ(currentName(), QStringLiteral("Ana Yemekler"));
}

}  // namespace
