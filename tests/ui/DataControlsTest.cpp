#include "support/TestDatabase.h"
#include "ui/support/ScriptedDialogs.h"
#include "ui/support/Widgets.h"

#include "platform/db/DataSource.h"
#include "platform/db/EditableQuery.h"
#include "platform/db/Error.h"
#include "platform/db/Field.h"
#include "platform/ui/DataCheckBox.h"
#include "platform/ui/DataColorEdit.h"
#include "platform/ui/DataComboBox.h"
#include "platform/ui/DataDateEdit.h"
#include "platform/ui/DataLabel.h"
#include "platform/ui/DataLineEdit.h"
#include "platform/ui/DataLookupComboBox.h"
#include "platform/ui/DataMemo.h"
#include "platform/ui/DataRadioGroup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using testsupport::execSql;
using testsupport::freshDatabase;
using testsupport::queryValue;
using testsupport::Session;
using uitest::ScriptedDialogs;

namespace {

// The settings row (T_Ayarlar) and the tables (Q_Masa) of the demo cafe,
// with a window to put controls on.
class DataControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = freshDatabase(true);
        prepareDatabase();
        session = std::make_unique<Session>(path);
        settings = std::make_unique<db::TableDataset>(*session->transaction);
        settings->setObjectName(QStringLiteral("T_Ayarlar"));
        settings->setTableName(QStringLiteral("AYARLAR"));
        settings->open();
        dsSettings = std::make_unique<db::DataSource>(settings.get());

        masa = std::make_unique<db::EditableQuery>(*session->transaction);
        masa->setObjectName(QStringLiteral("Q_Masa"));
        masa->setSql(QStringLiteral("select * from masa order by masa_id"));
        masa->setTableName(QStringLiteral("MASA"));
        masa->setKeyField(QStringLiteral("MASA_ID"));
        masa->setGeneratorName(QStringLiteral("MASA_MASA_ID_GEN"));
        masa->open();
        dsMasa = std::make_unique<db::DataSource>(masa.get());
    }

    virtual void prepareDatabase() {}

    // What another connection reads once the row is posted and committed.
    QVariant stored(db::Dataset& dataset, const QString& sql)
    {
        dataset.post();
        session->transaction->commitRetaining();
        return queryValue(path, sql);
    }

    QString path;
    std::unique_ptr<Session> session;
    std::unique_ptr<db::TableDataset> settings;
    std::unique_ptr<db::DataSource> dsSettings;
    std::unique_ptr<db::EditableQuery> masa;
    std::unique_ptr<db::DataSource> dsMasa;
    QWidget window;
};

TEST_F(DataControls, LineEditWritesTheFieldAndPutsTheDatasetIntoEdit)
{
    ui::DataLineEdit edit(dsSettings.get(), QStringLiteral("KULLANICI_ADI"), &window);
    EXPECT_EQ(edit.text(), QStringLiteral("demo"));
    EXPECT_FALSE(edit.isReadOnly());
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("kasiyer"));
    EXPECT_EQ(settings->state(), db::DatasetState::Edit);
    EXPECT_EQ(settings->fieldByName(QStringLiteral("KULLANICI_ADI"))->asString(), QStringLiteral("kasiyer"));
    EXPECT_EQ(stored(*settings, QStringLiteral("select KULLANICI_ADI from AYARLAR")).toString(),
              QStringLiteral("kasiyer"));
}

TEST_F(DataControls, LineEditTextReachesTheFieldWithoutLeavingTheEdit)
{
    // A toolbar button posts without taking the focus from the edit.
    ui::DataLineEdit edit(dsSettings.get(), QStringLiteral("MASA_W"), &window);
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("150"));
    EXPECT_EQ(stored(*settings, QStringLiteral("select MASA_W from AYARLAR")).toLongLong(), 150);
}

TEST_F(DataControls, RefusedTextIsReportedAndTheFieldKeepsItsValue)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("MASA_W alanına yazılan '12a' geçerli bir tam sayı değil."));
    ui::DataLineEdit edit(dsSettings.get(), QStringLiteral("MASA_W"), &window);
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("12a"));
    // Not "12": no part of a refused text stays in the field.
    EXPECT_EQ(settings->fieldByName(QStringLiteral("MASA_W"))->asInteger(), 120);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(settings->fieldByName(QStringLiteral("MASA_W"))->asInteger(), 120);
    EXPECT_EQ(edit.text(), QStringLiteral("120"));
}

TEST_F(DataControls, LineEditShowsTheDisplayFormatUntilItIsEdited)
{
    masa->setFieldDisplayFormat(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00"));
    masa->edit();
    masa->fieldByName(QStringLiteral("TUTAR"))->setAsFloat(1234.5);
    masa->post();
    ui::DataLineEdit edit(dsMasa.get(), QStringLiteral("TUTAR"), &window);
    ui::DataLineEdit other(dsMasa.get(), QStringLiteral("MASA_ADI"), &window);
    window.show();
    QApplication::setActiveWindow(&window);
    other.setFocus();
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));
    edit.setFocus();
    ASSERT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.text(), QStringLiteral("1234,5"));
    other.setFocus();
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));
}

TEST_F(DataControls, PasswordEditShowsAMaskCharacterForEachLetter)
{
    ui::DataLineEdit edit(dsSettings.get(), QStringLiteral("KULLANICI_SIFRE"), &window);
    edit.setPasswordMode(true);
    EXPECT_EQ(edit.text(), QStringLiteral("demo"));
    EXPECT_EQ(edit.displayText().size(), 4);
    EXPECT_NE(edit.displayText(), QStringLiteral("demo"));
    edit.setPasswordMode(false);
    EXPECT_EQ(edit.displayText(), QStringLiteral("demo"));
}

TEST_F(DataControls, LabelFollowsTheCurrentRowAndTheDatasetsState)
{
    ui::DataLabel label(dsMasa.get(), QStringLiteral("MASA_ADI"), &window);
    EXPECT_EQ(label.text(), QStringLiteral("Masa 1"));
    masa->moveTo(1);
    EXPECT_EQ(label.text(), QStringLiteral("Masa 2"));
    masa->edit();
    masa->fieldByName(QStringLiteral("MASA_ADI"))->setAsString(QStringLiteral("Pencere önü"));
    EXPECT_EQ(label.text(), QStringLiteral("Pencere önü"));
    masa->cancel();
    EXPECT_EQ(label.text(), QStringLiteral("Masa 2"));
    masa->close();
    EXPECT_EQ(label.text(), QString());
    masa->open();
    EXPECT_EQ(label.text(), QStringLiteral("Masa 1"));
}

TEST_F(DataControls, LabelShowsTheFieldsDisplayFormat)
{
    masa->setFieldDisplayFormat(QStringLiteral("TUTAR"), QStringLiteral("###,###,##0.00TL"));
    ui::DataLabel label(dsMasa.get(), QStringLiteral("TUTAR"), &window);
    masa->edit();
    masa->fieldByName(QStringLiteral("TUTAR"))->setAsFloat(1500);
    EXPECT_EQ(label.text(), QStringLiteral("1.500,00TL"));
}

TEST_F(DataControls, ControlsFollowADataSourceGivenAnotherDataset)
{
    ui::DataLabel label(dsMasa.get(), QStringLiteral("MASA_ADI"), &window);
    db::EditableQuery other(*session->transaction);
    other.setSql(QStringLiteral("select * from masa order by masa_id desc"));
    other.open();
    dsMasa->setDataset(&other);
    EXPECT_EQ(label.text(), other.fieldByName(QStringLiteral("MASA_ADI"))->asString());
    EXPECT_NE(label.text(), QStringLiteral("Masa 1"));
}

TEST_F(DataControls, MemoWritesTheField)
{
    ui::DataMemo memo(dsMasa.get(), QStringLiteral("MASA_ADI"), &window);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Masa 1"));
    memo.selectAll();
    QTest::keyClicks(&memo, QStringLiteral("Teras"));
    EXPECT_EQ(masa->state(), db::DatasetState::Edit);
    EXPECT_EQ(stored(*masa, QStringLiteral("select MASA_ADI from MASA where MASA_ID = 1")).toString(),
              QStringLiteral("Teras"));
}

TEST_F(DataControls, MemoRefusesACharacterOutsideTheCodePageAndKeepsTheFieldsValue)
{
    ScriptedDialogs dialogs;
    ui::DataMemo memo(dsMasa.get(), QStringLiteral("MASA_ADI"), &window);
    memo.selectAll();
    uitest::typeText(&memo, QStringLiteral("Çay"));
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("Çay"));
    memo.insertPlainText(QStringLiteral("☕"));
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("Masa 1"));
    dialogs.expectError(QStringLiteral(
        "MASA_ADI alanına yazılan '☕' karakteri Türkçe kod sayfasında (1254) bulunmuyor; metin kaydedilmedi."));
    memo.finishEditing();
    EXPECT_EQ(masa->fieldByName(QStringLiteral("MASA_ADI"))->asString(), QStringLiteral("Masa 1"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("Masa 1"));
}

struct CheckCase {
    const char* stored;
    bool ticked;
};

class CheckBoxReading : public DataControls, public ::testing::WithParamInterface<CheckCase> {
protected:
    void prepareDatabase() override
    {
        execSql(path, QStringLiteral("update AYARLAR set KASA_UYARI = '%1'").arg(QLatin1String(GetParam().stored)));
    }
};

TEST_P(CheckBoxReading, OnlyTheExactTextTrueIsTicked)
{
    ui::DataCheckBox box(QStringLiteral("Nakit tahsilat beni uyar"), dsSettings.get(), QStringLiteral("KASA_UYARI"),
                         &window);
    EXPECT_EQ(box.isChecked(), GetParam().ticked);
    EXPECT_EQ(settings->state(), db::DatasetState::Browse);
}

INSTANTIATE_TEST_SUITE_P(Flags, CheckBoxReading,
                         ::testing::Values(CheckCase{"True", true}, CheckCase{"False", false},
                                           CheckCase{"true", false}, CheckCase{"TRUE", false},
                                           CheckCase{"True ", false}, CheckCase{"", false}));

TEST_F(DataControls, CheckBoxWritesExactlyTrueOrFalse)
{
    ui::DataCheckBox box(QStringLiteral("Beni Hatırla"), dsSettings.get(), QStringLiteral("BENI_HATIRLA"), &window);
    EXPECT_FALSE(box.isChecked());
    box.click();
    EXPECT_EQ(settings->state(), db::DatasetState::Edit);
    EXPECT_EQ(stored(*settings, QStringLiteral("select BENI_HATIRLA from AYARLAR")).toString(), QStringLiteral("True"));
    box.click();
    EXPECT_EQ(stored(*settings, QStringLiteral("select BENI_HATIRLA from AYARLAR")).toString(),
              QStringLiteral("False"));
}

TEST_F(DataControls, LookupComboBoxWritesTheChosenRowsKey)
{
    db::EditableQuery groups(*session->transaction);
    groups.setSql(QStringLiteral("select * from grup order by sira_no"));
    groups.open();
    db::DataSource dsGroups(&groups);
    db::EditableQuery products(*session->transaction);
    products.setSql(QStringLiteral("select * from stok order by stok_id"));
    products.setTableName(QStringLiteral("STOK"));
    products.setKeyField(QStringLiteral("STOK_ID"));
    products.open();
    db::DataSource dsProducts(&products);
    ASSERT_GE(groups.recordCount(), 2);

    ui::DataLookupComboBox combo(&window);
    combo.bind(&dsProducts, QStringLiteral("GRUP_ADI"));
    combo.setListSource(&dsGroups, QStringLiteral("GRUP_ADI"));
    QStringList names;
    for (int row = 0; row < groups.recordCount(); ++row)
        names << groups.value(row, groups.fieldByName(QStringLiteral("GRUP_ADI"))->index()).toString();
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    EXPECT_EQ(items, names);
    const QString current = products.fieldByName(QStringLiteral("GRUP_ADI"))->asString();
    EXPECT_EQ(combo.currentText(), current);
    EXPECT_EQ(groups.recNo(), 0);

    const int from = combo.currentIndex();
    const int to = from + 1 < combo.count() ? from + 1 : from - 1;
    QTest::keyClick(&combo, to > from ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(products.state(), db::DatasetState::Edit);
    EXPECT_EQ(products.fieldByName(QStringLiteral("GRUP_ADI"))->asString(), names[to]);
    EXPECT_EQ(groups.recNo(), 0);  // the list never moves
}

TEST_F(DataControls, ComboBoxAcceptsOnlyItsItemsAndShowsAStoredValueNotAmongThem)
{
    execSql(path, QStringLiteral("update AYARLAR set YAZICI = 'Eski Yazıcı'"));
    settings->refresh();
    ui::DataComboBox combo(dsSettings.get(), QStringLiteral("YAZICI"), &window);
    combo.setItems({QStringLiteral("Termal-80"), QStringLiteral("Ofis Yazıcısı")});
    EXPECT_FALSE(combo.isEditable());
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.placeholderText(), QStringLiteral("Eski Yazıcı"));
    EXPECT_EQ(settings->state(), db::DatasetState::Browse);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Termal-80"));
    EXPECT_EQ(stored(*settings, QStringLiteral("select YAZICI from AYARLAR")).toString(), QStringLiteral("Termal-80"));
}

TEST_F(DataControls, RadioGroupShowsAndWritesTheChosenCaption)
{
    ui::DataRadioGroup group(QStringLiteral("Tarih Opsiyon"), &window);
    group.setItems({QStringLiteral("Açılış"), QStringLiteral("Kapanış")});
    group.bind(dsSettings.get(), QStringLiteral("RAPOR_TARIH"));
    EXPECT_EQ(group.itemIndex(), 1);  // the settings row says "Kapanış"
    EXPECT_EQ(settings->state(), db::DatasetState::Browse);
    group.button(0)->click();
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(stored(*settings, QStringLiteral("select RAPOR_TARIH from AYARLAR")).toString(),
              QStringLiteral("Açılış"));
}

TEST_F(DataControls, RadioGroupShowsNoChoiceForAnyOtherText)
{
    execSql(path, QStringLiteral("update AYARLAR set RAPOR_TARIH = 'kapanış'"));
    settings->refresh();
    ui::DataRadioGroup group(QStringLiteral("Tarih Opsiyon"), &window);
    group.setItems({QStringLiteral("Açılış"), QStringLiteral("Kapanış")});
    group.bind(dsSettings.get(), QStringLiteral("RAPOR_TARIH"));
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_FALSE(group.button(0)->isChecked());
    EXPECT_FALSE(group.button(1)->isChecked());
}

TEST_F(DataControls, DateEditKeepsTheTimeOfATimestamp)
{
    execSql(path, QStringLiteral("insert into ADISYON (ADISYON_ID, MASA_ID, TARIH) values (900, 1, "
                                 "'2024-05-01 14:30:00')"));
    db::EditableQuery bill(*session->transaction);
    bill.setSql(QStringLiteral("select * from ADISYON where ADISYON_ID = 900"));
    bill.setTableName(QStringLiteral("ADISYON"));
    bill.setKeyField(QStringLiteral("ADISYON_ID"));
    bill.open();
    db::DataSource dsBill(&bill);
    ui::DataDateEdit opened(&dsBill, QStringLiteral("TARIH"), &window);
    ui::DataDateEdit closed(&dsBill, QStringLiteral("KAPANIS_TARIHI"), &window);
    EXPECT_EQ(opened.shownDate(), QDate(2024, 5, 1));
    EXPECT_EQ(opened.text(), QStringLiteral("1.05.2024"));  // the Turkish short date
    EXPECT_EQ(closed.shownDate(), QDate());
    EXPECT_EQ(closed.text(), QStringLiteral(" "));
    opened.setDate(QDate(2024, 5, 3));
    EXPECT_EQ(stored(bill, QStringLiteral("select TARIH from ADISYON where ADISYON_ID = 900")).toDateTime(),
              QDateTime(QDate(2024, 5, 3), QTime(14, 30)));
}

TEST_F(DataControls, ColorEditShowsAndStoresBlueGreenRed)
{
    ScriptedDialogs dialogs;
    ui::DataColorEdit edit(dsSettings.get(), QStringLiteral("MASA_COLOR"), &window);
    edit.setAccessibleName(QStringLiteral("Açık Renk"));
    EXPECT_EQ(edit.text(), QStringLiteral("#2E7D32"));
    EXPECT_EQ(edit.colorValue(), 3308846);

    dialogs.expectColor(std::nullopt);
    edit.click();
    EXPECT_EQ(settings->state(), db::DatasetState::Browse);

    dialogs.expectColor(QColor(255, 0, 0));
    edit.click();
    EXPECT_EQ(edit.text(), QStringLiteral("#FF0000"));
    EXPECT_EQ(stored(*settings, QStringLiteral("select MASA_COLOR from AYARLAR")).toLongLong(), 0x0000FF);
}

TEST_F(DataControls, ColorEditWritesAWideColourColumn)
{
    ScriptedDialogs dialogs;
    ui::DataColorEdit edit(dsSettings.get(), QStringLiteral("MASA_FONT_COLOR"), &window);
    dialogs.expectColor(QColor(0, 0, 255));
    edit.click();
    EXPECT_EQ(stored(*settings, QStringLiteral("select MASA_FONT_COLOR from AYARLAR")).toLongLong(), 0xFF0000);
}

TEST_F(DataControls, ControlsOnAReadOnlyDatasetCannotChangeIt)
{
    db::Dataset query(*session->transaction);
    query.setSql(QStringLiteral("select * from masa"));
    query.open();
    db::DataSource ds(&query);
    ui::DataLineEdit edit(&ds, QStringLiteral("MASA_ADI"), &window);
    ui::DataCheckBox box(QStringLiteral("Açık"), &ds, QStringLiteral("MASA_ADI"), &window);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_FALSE(box.isEnabled());
}

TEST_F(DataControls, EveryControlHasItsCaptionAsAccessibleName)
{
    auto* label = new QLabel(QStringLiteral("&Şifre"), &window);
    auto* password = new ui::DataLineEdit(dsSettings.get(), QStringLiteral("KULLANICI_SIFRE"), &window);
    ui::labelControl(label, password);
    new ui::DataCheckBox(QStringLiteral("Beni Hatırla"), dsSettings.get(), QStringLiteral("BENI_HATIRLA"), &window);
    auto* group = new ui::DataRadioGroup(QStringLiteral("Tarih Opsiyon"), &window);
    group->setItems({QStringLiteral("Açılış"), QStringLiteral("Kapanış")});

    EXPECT_EQ(uitest::findByAccessibleName<ui::DataLineEdit>(&window, QStringLiteral("Şifre")), password);
    EXPECT_EQ(label->buddy(), password);
    EXPECT_NE(uitest::findByAccessibleName<ui::DataCheckBox>(&window, QStringLiteral("Beni Hatırla")), nullptr);
    EXPECT_EQ(uitest::findByAccessibleName<ui::DataRadioGroup>(&window, QStringLiteral("Tarih Opsiyon")), group);
    EXPECT_EQ(uitest::findByAccessibleName<QRadioButton>(&window, QStringLiteral("Kapanış")), group->button(1));
}

}  // namespace
