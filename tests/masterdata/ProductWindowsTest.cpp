#include "MasterDataFixture.h"

#include "masterdata/u_F_Stok.h"
#include "masterdata/u_L_Stok.h"
#include "masterdata/u_L_Stok_index.h"
#include "platform/db/Field.h"
#include "platform/db/Statement.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/DataLookupComboBox.h"
#include "platform/ui/DatasetModel.h"
#include "platform/ui/Modal.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QToolButton>

namespace {

const QString kCloseQuestion = QStringLiteral("Stok Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?");
const QString kDeleteQuestion = QStringLiteral("Stok Silinecek! devam edilsin mi?");

class ProductWindows : public MasterDataTest {
protected:
    static db::Field* product(const char* column) { return dm->Q_Stok->fieldByName(QString::fromLatin1(column)); }

    static void setSettings(const QString& prefix, int counter)
    {
        dm->T_Ayarlar->edit();
        dm->T_Ayarlar->fieldByName(QStringLiteral("M_STOK_KODU"))->setAsString(prefix);
        dm->T_Ayarlar->fieldByName(QStringLiteral("N_STOK_KODU"))->setAsInteger(counter);
        dm->T_Ayarlar->post();
        ModifiedState = 0;
    }

    // Fills the editor's fields as the user does: typing and picking.
    static void fillIn(TF_Stok& editor, const QString& code, const QString& name, const QString& group,
                       const QString& price)
    {
        QTest::keyClicks(editor.eKodu, code);
        QTest::keyClicks(editor.eAdi, name);
        if (!group.isEmpty())
            choose(editor.cxDBLookupComboBox1, group);
        QTest::keyClicks(editor.eFiyat, price);
    }
};

TEST_F(ProductWindows, NewProductFromTheListIsStoredWithItsGroupAndCommitted)
{
    TL_Stok list;
    EXPECT_EQ(list.windowTitle(), QStringLiteral("Stok Listesi"));
    const int before = dm->Q_Stok->recordCount();
    bool shown = false;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto& editor = dynamic_cast<TF_Stok&>(window);
        shown = true;
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Yeni-Stok"));
        EXPECT_EQ(editor.focusWidget(), editor.eKodu);
        EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Insert);
        EXPECT_EQ(ModifiedState, 2);
        fillIn(editor, QStringLiteral("KHV9"), QStringLiteral("Menengic Kahvesi"), QStringLiteral("Sıcak İçecekler"),
               QStringLiteral("72,5"));
        choose(editor.cxDBLookupComboBox2, QStringLiteral("Fincan"));
        editor.ToolButton2->click();
        EXPECT_EQ(ModifiedState, 0);
        EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Browse);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Yeni-Stok"));
        editor.ToolButton4->click();  // nothing pending: no question
        EXPECT_FALSE(editor.isVisible());
    });
    list.ToolButton1->click();
    ASSERT_TRUE(shown);
    EXPECT_EQ(dm->Q_Stok->recordCount(), before + 1);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where STOK_KODU = 'KHV9' and BIRIM = 'Fincan' "
                                            "and FIYAT = 72.5 and STOK_ADI = 'Menengic Kahvesi'")),
              1);
    // The database puts the product into the group it names.
    EXPECT_EQ(value(QStringLiteral("select s.GRUP_ID - g.GRUP_ID from STOK s join GRUP g on g.GRUP_ADI = s.GRUP_ADI "
                                   "where s.STOK_KODU = 'KHV9'"))
                  .toInt(),
              0);
}

struct CodeCase {
    const char* prefix;
    int counter;
    const char* code;
    int raised;
};

class CodeGenerator : public ProductWindows, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CodeGenerator, JoinsPrefixAndRaisedCounterAndCommitsTheCounter)
{
    const CodeCase c = GetParam();
    setSettings(QString::fromUtf8(c.prefix), c.counter);
    TL_Stok list;
    dm->Q_Stok->append();
    TF_Stok editor(&list);
    editor.Uret->click();
    EXPECT_EQ(product("STOK_KODU")->asString(), QString::fromUtf8(c.code));
    EXPECT_EQ(editor.eKodu->text(), QString::fromUtf8(c.code));
    EXPECT_EQ(editor.focusWidget(), editor.eAdi);
    EXPECT_EQ(committedCount(QStringLiteral("select N_STOK_KODU from AYARLAR")), c.raised);
    EXPECT_EQ(dm->T_Ayarlar->fieldByName(QStringLiteral("N_STOK_KODU"))->asInteger(), c.raised);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodeGenerator,
    ::testing::Values(CodeCase{"STK", 41, "STK42", 42}, CodeCase{"", 0, "1", 1},
                      // 21 characters are cut to the column's 20.
                      CodeCase{"ABCDEFGHIJKLMNOPQR", 99, "ABCDEFGHIJKLMNOPQR10", 100}));

TEST_F(ProductWindows, GeneratorLeavesAnExistingCodeAndTheCounterAlone)
{
    setSettings(QStringLiteral("STK"), 41);
    TL_Stok list;
    ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK7")));
    TF_Stok editor(&list);
    editor.UretClick();
    EXPECT_EQ(product("STOK_KODU")->asString(), QStringLiteral("STK7"));
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Browse);
    EXPECT_EQ(committedCount(QStringLiteral("select N_STOK_KODU from AYARLAR")), 41);
}

TEST_F(ProductWindows, DiscardAfterGeneratingKeepsTheCounterRaisedAndTheNextCodeFollows)
{
    setSettings(QStringLiteral("STK"), 41);
    TL_Stok list;
    const int before = dm->Q_Stok->recordCount();
    QStringList codes;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto& editor = dynamic_cast<TF_Stok&>(window);
        editor.Uret->click();
        codes << editor.eKodu->text();
        QTest::keyClicks(editor.eAdi, QStringLiteral("Vazgecilen"));
        dialogs->expectQuestion(kCloseQuestion, QStringLiteral("Hata"),
                                ui::MessageIcon::Warning, ui::DialogButton::Yes);
        editor.ToolButton3->click();
        EXPECT_FALSE(editor.isVisible());
    });
    list.ToolButton1Click();
    EXPECT_EQ(dm->Q_Stok->recordCount(), before);
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where STOK_KODU = 'STK42'")), 0);
    EXPECT_EQ(committedCount(QStringLiteral("select N_STOK_KODU from AYARLAR")), 42);
    EXPECT_EQ(dm->T_Ayarlar->fieldByName(QStringLiteral("N_STOK_KODU"))->asInteger(), 42);

    list.ToolButton1Click();
    EXPECT_EQ(codes, (QStringList{QStringLiteral("STK42"), QStringLiteral("STK43")}));
    EXPECT_EQ(committedCount(QStringLiteral("select N_STOK_KODU from AYARLAR")), 43);
}

TEST_F(ProductWindows, DiscardLeavesWorkOtherWindowsStoredBeforeIt)
{
    // Work another window stored and the user saw completed, not committed
    // yet when the editor opens.
    dm->Q_Masa->open();
    ASSERT_TRUE(dm->Q_Masa->locate(QStringLiteral("MASA_ID"), 3));
    dm->Q_Masa->edit();
    dm->Q_Masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Teras"));
    dm->Q_Masa->post();

    TL_Stok list;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto& editor = dynamic_cast<TF_Stok&>(window);
        fillIn(editor, QStringLiteral("X1"), QStringLiteral("Deneme"), QStringLiteral("Tatlılar"), QStringLiteral("5"));
        dialogs->expectQuestion(kCloseQuestion, QStringLiteral("Hata"),
                                ui::MessageIcon::Warning, ui::DialogButton::Yes);
        editor.ToolButton4->click();
    });
    list.ToolButton1Click();
    EXPECT_EQ(seen(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 3")).toString(), QStringLiteral("Teras"));
    EXPECT_EQ(seen(QStringLiteral("select count(*) from STOK where STOK_KODU = 'X1'")).toInt(), 0);
    dm->IBTransaction1->commitRetaining();
    EXPECT_EQ(value(QStringLiteral("select MASA_ADI from MASA where MASA_ID = 3")).toString(), QStringLiteral("Teras"));
}

struct RequiredCase {
    const char* code;
    const char* name;
    const char* group;
    const char* price;
    const char* message;
    int field;  // 0 code, 1 name, 2 group, 3 price
};

class RequiredFields : public ProductWindows, public ::testing::WithParamInterface<RequiredCase> {};

TEST_P(RequiredFields, FirstEmptyFieldStopsTheStoreWithItsMessageAndTakesTheFocus)
{
    const RequiredCase c = GetParam();
    TL_Stok list;
    const int stored = committedCount(QStringLiteral("select count(*) from STOK"));
    dm->Q_Stok->append();
    TF_Stok editor(&list);
    fillIn(editor, QString::fromUtf8(c.code), QString::fromUtf8(c.name), QString::fromUtf8(c.group),
           QString::fromUtf8(c.price));
    dialogs->expectNotice(QString::fromUtf8(c.message));
    editor.ToolButton2Click();
    const QWidget* fields[] = {editor.eKodu, editor.eAdi, editor.cxDBLookupComboBox1, editor.eFiyat};
    EXPECT_EQ(editor.focusWidget(), fields[c.field]);
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Insert);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK")), stored);
    EXPECT_EQ(ModifiedState, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequiredFields,
    ::testing::Values(RequiredCase{"", "Kek", "Tatlılar", "40", "Kodu zorunlu alandır", 0},
                      RequiredCase{"K1", "", "Tatlılar", "40", "Adi zorunlu alandır", 1},
                      RequiredCase{"K1", "Kek", "", "40", "Grup zorunlu alandır", 2},
                      RequiredCase{"K1", "Kek", "Tatlılar", "", "Fiyat zorunlu alandır", 3},
                      RequiredCase{"", "", "", "", "Kodu zorunlu alandır", 0}));

TEST_F(ProductWindows, NoUnitAndAZeroPriceAreStored)
{
    TL_Stok list;
    dm->Q_Stok->append();
    TF_Stok editor(&list);
    fillIn(editor, QStringLiteral("K0"), QStringLiteral("Ikram"), QStringLiteral("Tatlılar"), QStringLiteral("0"));
    editor.ToolButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where STOK_KODU = 'K0' and FIYAT = 0 and BIRIM "
                                            "is null")),
              1);
}

TEST_F(ProductWindows, LettersInThePriceAreRefusedWithTheFieldsMessageAndNothingIsStored)
{
    TL_Stok list;
    const int stored = committedCount(QStringLiteral("select count(*) from STOK"));
    dm->Q_Stok->append();
    TF_Stok editor(&list);
    fillIn(editor, QStringLiteral("K2"), QStringLiteral("Kek"), QStringLiteral("Tatlılar"), QStringLiteral("on iki"));
    dialogs->expectError(QStringLiteral("FIYAT alanına yazılan 'on iki' geçerli bir sayı değil."));
    editor.ToolButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK")), stored);
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Insert);
    EXPECT_EQ(editor.eFiyat->text(), QString());
}

TEST_F(ProductWindows, AnotherNewProductIsRefusedWhileWorkIsPendingAndAllowedAfterSaving)
{
    TL_Stok list;
    dm->Q_Stok->append();
    TF_Stok editor(&list);
    editor.setWindowTitle(QStringLiteral("Yeni-Stok"));
    fillIn(editor, QStringLiteral("K3"), QStringLiteral("Kek"), QStringLiteral("Tatlılar"), QStringLiteral("40"));
    dialogs->expectNotice(QStringLiteral("Kayıt ekleme ya da düzenleme modunda"),
                          QGuiApplication::applicationDisplayName());
    editor.ToolButton1->click();
    EXPECT_EQ(product("STOK_KODU")->asString(), QStringLiteral("K3"));

    editor.ToolButton2Click();
    const int rows = dm->Q_Stok->recordCount();
    editor.ToolButton1->click();
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Insert);
    EXPECT_EQ(dm->Q_Stok->recordCount(), rows + 1);
    EXPECT_EQ(ModifiedState, 2);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Yeni-Stok"));
    EXPECT_EQ(editor.focusWidget(), editor.eKodu);
}

TEST_F(ProductWindows, EditingWithoutChangeClosesWithoutAQuestion)
{
    TL_Stok list;
    ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK12")));
    bool shown = false;
    ui::ModalHookScope hook([&](QDialog& window) {
        auto& editor = dynamic_cast<TF_Stok&>(window);
        shown = true;
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Düzenle-Stok"));
        EXPECT_EQ(editor.focusWidget(), editor.Panel1);
        EXPECT_EQ(editor.eAdi->text(), QStringLiteral("Limonata"));
        EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Browse);
        editor.ToolButton4->click();
        EXPECT_FALSE(editor.isVisible());
    });
    // A double click on a row does what "Düzenle" does.
    emit list.cxGrid1DBTableView1->cellDoubleClicked();
    EXPECT_TRUE(shown);
}

TEST_F(ProductWindows, LeavingANewProductAsksAndOnlyYesDropsIt)
{
    TL_Stok list;
    const int before = dm->Q_Stok->recordCount();
    ui::ModalHookScope hook([&](QDialog& window) {
        auto& editor = dynamic_cast<TF_Stok&>(window);
        // The new row alone is unsaved work, though nothing was typed.
        dialogs->expectQuestion(kCloseQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::No);
        editor.ToolButton3->click();
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Insert);
        dialogs->expectQuestion(kCloseQuestion, QStringLiteral("Hata"),
                                ui::MessageIcon::Warning, ui::DialogButton::Yes);
        editor.ToolButton3->click();
        EXPECT_FALSE(editor.isVisible());
    });
    list.ToolButton1Click();
    EXPECT_EQ(dm->Q_Stok->recordCount(), before);
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Browse);
    EXPECT_EQ(ModifiedState, 0);
}

TEST_F(ProductWindows, LeavingAnEditedProductWithYesBringsBackItsStoredValues)
{
    TL_Stok list;
    ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK12")));
    TF_Stok editor(&list);
    QTest::keyClicks(editor.eAdi, QStringLiteral(" Buzlu"));
    EXPECT_EQ(product("STOK_ADI")->asString(), QStringLiteral("Limonata Buzlu"));
    dialogs->expectQuestion(kCloseQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    EXPECT_TRUE(editor.FormClose());
    EXPECT_EQ(product("STOK_ADI")->asString(), QStringLiteral("Limonata"));
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where STOK_ADI = 'Limonata'")), 1);
}

TEST_F(ProductWindows, StoreRefusedByTheDatabaseKeepsTheRowAndTheWorkPending)
{
    TL_Stok list;
    ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK12")));
    // Another terminal is changing the same product and has not committed.
    testsupport::Session other(databasePath);
    db::Statement lock(*other.transaction);
    lock.setSql(QStringLiteral("update STOK set FIYAT = 56 where STOK_KODU = 'STK12'"));
    lock.execute();

    TF_Stok editor(&list);
    QTest::keyClicks(editor.eAdi, QStringLiteral(" Buzlu"));
    dialogs->expectErrorContaining(QStringLiteral("update conflicts with concurrent update"));
    editor.ToolButton2->click();
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Edit);
    EXPECT_EQ(editor.eAdi->text(), QStringLiteral("Limonata Buzlu"));
    EXPECT_EQ(ModifiedState, 2);

    // Once the other terminal is done, the same store goes through.
    other.transaction->rollback();
    editor.ToolButton2->click();
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_EQ(value(QStringLiteral("select STOK_ADI from STOK where STOK_KODU = 'STK12'")).toString(),
              QStringLiteral("Limonata Buzlu"));
}

TEST_F(ProductWindows, EnterMovesThroughTheFiveFieldsAndRoundToTheCode)
{
    TL_Stok list;
    TF_Stok editor(&list);
    const QList<QWidget*> order = {editor.eKodu, editor.eAdi, editor.cxDBLookupComboBox1, editor.cxDBLookupComboBox2,
                                   editor.eFiyat, editor.eKodu};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QTest::keyClick(order[i], Qt::Key_Return);
        EXPECT_EQ(editor.focusWidget(), order[i + 1]) << i;
    }
    EXPECT_EQ(dm->Q_Stok->state(), db::DatasetState::Browse);
}

struct DeleteCase {
    bool yes;
    int left;
};

class DeleteProduct : public ProductWindows, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteProduct, AsksAndOnlyYesDeletesAndCommits)
{
    TL_Stok list;
    ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK5")));
    const int rows = dm->Q_Stok->recordCount();
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, answer(GetParam().yes));
    list.ToolButton3->click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK where STOK_KODU = 'STK5'")), GetParam().left);
    EXPECT_EQ(dm->Q_Stok->recordCount(), rows - 1 + GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteProduct, ::testing::Values(DeleteCase{false, 1}, DeleteCase{true, 0}));

TEST_F(ProductWindows, DeleteOnAnEmptyListReportsAnErrorAndDeletesNothing)
{
    exec(QStringLiteral("delete from STOK"));
    TL_Stok list;
    dialogs->expectQuestion(kDeleteQuestion, QStringLiteral("Hata"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    dialogs->expectError(QStringLiteral("Q_Stok: boş veri kümesinde bu işlem yapılamaz."));
    list.ToolButton3->click();
    EXPECT_TRUE(dm->Q_Stok->isEmpty());
}

TEST_F(ProductWindows, ListLayoutIsWrittenToItsFileAndRestoredByTheNextList)
{
    const QStringList designed = {QStringLiteral("STOK_ID"),  QStringLiteral("GRUP_ID"),  QStringLiteral("GRUP_ADI"),
                                  QStringLiteral("STOK_KODU"), QStringLiteral("STOK_ADI"), QStringLiteral("BIRIM"),
                                  QStringLiteral("FIYAT"),     QStringLiteral("ACIKLAMA"), QStringLiteral("SIRA_NO")};
    const QString file = QDir(programFolder->path()).filePath(QStringLiteral("ini/L_Stok.ini"));
    ASSERT_EQ(TL_Stok::layoutFile(), file);
    {
        // No file: the built-in layout.
        TL_Stok list;
        EXPECT_EQ(list.cxGrid1DBTableView1->columnOrder(), designed);
        EXPECT_TRUE(list.cxGrid1DBTableView1->hiddenColumns().isEmpty());
        list.cxGrid1DBTableView1->moveColumn(QStringLiteral("STOK_ADI"), 0);
        list.cxGrid1DBTableView1->setColumnHidden(QStringLiteral("ACIKLAMA"), true);
        list.cxGrid1DBTableView1->setColumnWidth(QStringLiteral("FIYAT"), 150);
        list.Kaydet1->trigger();
        EXPECT_TRUE(QFile::exists(file));
        list.ToolButton4Click();
    }
    TL_Stok list;
    EXPECT_EQ(list.cxGrid1DBTableView1->columnOrder().first(), QStringLiteral("STOK_ADI"));
    EXPECT_EQ(list.cxGrid1DBTableView1->hiddenColumns(), QStringList{QStringLiteral("ACIKLAMA")});
    EXPECT_EQ(list.cxGrid1DBTableView1->columnWidth(QStringLiteral("FIYAT")), 150);
}

TEST_F(ProductWindows, CustomiseOpensAndClosesTheColumnList)
{
    TL_Stok list;
    list.show();
    list.zelletir1->trigger();
    EXPECT_TRUE(list.cxGrid1DBTableView1->isCustomizationVisible());
    list.zelletir1->trigger();
    EXPECT_FALSE(list.cxGrid1DBTableView1->isCustomizationVisible());
}

TEST_F(ProductWindows, ClosingTheListClosesTheProducts)
{
    TL_Stok list;
    EXPECT_TRUE(dm->Q_Stok->active());
    EXPECT_TRUE(dm->Q_Grup->active());
    EXPECT_TRUE(dm->Q_Birim->active());
    list.show();
    list.ToolButton4->click();
    EXPECT_FALSE(list.isVisible());
    EXPECT_FALSE(dm->Q_Stok->active());
}

TEST_F(ProductWindows, GroupWindowListsTheGroupsProductsAndStoresOrderNumbers)
{
    dm->Q_Grup->open();
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Tatlılar")));
    {
        TL_Stok_index window;
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Stok index"));
        EXPECT_EQ(window.cxDBLabel4->text(), QStringLiteral("Tatlılar"));
        EXPECT_EQ(dm->Q_Stok->recordCount(), 6);
        EXPECT_EQ(window.cxGrid1DBTableView1->columnOrder(),
                  (QStringList{QStringLiteral("STOK_ADI"), QStringLiteral("SIRA_NO")}));

        // Typed in place, stored when the user moves on to another row.
        ASSERT_TRUE(dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK29")));
        ui::DatasetModel* model = window.cxGrid1DBTableView1->datasetModel();
        ASSERT_TRUE(model->setData(model->index(dm->Q_Stok->recNo(), 1), QStringLiteral("9"), Qt::EditRole));
        dm->Q_Stok->locate(QStringLiteral("STOK_KODU"), QStringLiteral("STK30"));
        EXPECT_EQ(committedCount(QStringLiteral("select SIRA_NO from STOK where STOK_KODU = 'STK29'")), 9);

        // A change still pending when the window closes is stored too.
        ASSERT_TRUE(model->setData(model->index(dm->Q_Stok->recNo(), 0), QStringLiteral("Sütlaç (fırın)"),
                                   Qt::EditRole));
        EXPECT_EQ(ModifiedState, 2);
        EXPECT_TRUE(window.FormClose());
    }
    EXPECT_EQ(value(QStringLiteral("select STOK_ADI from STOK where STOK_KODU = 'STK30'")).toString(),
              QStringLiteral("Sütlaç (fırın)"));
    // Stored and committed: nothing left pending for another window to ask about.
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_FALSE(dm->Q_Stok->active());
    EXPECT_EQ(dm->Q_Stok->sql(), QStringLiteral("select * from stok"));
    EXPECT_EQ(dm->Q_Stok->masterSource(), nullptr);
    dm->Q_Stok->open();
    EXPECT_EQ(dm->Q_Stok->recordCount(), 40);
}

TEST_F(ProductWindows, GroupWindowOnAGroupWithoutProductsStoresNothing)
{
    exec(QStringLiteral("insert into GRUP (GRUP_ADI) values ('Boş Grup')"));
    dm->Q_Grup->open();
    ASSERT_TRUE(dm->Q_Grup->locate(QStringLiteral("GRUP_ADI"), QStringLiteral("Boş Grup")));
    TL_Stok_index window;
    EXPECT_TRUE(dm->Q_Stok->isEmpty());
    EXPECT_TRUE(window.FormClose());
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from STOK")), 40);
    EXPECT_EQ(ModifiedState, 0);
}

}  // namespace
