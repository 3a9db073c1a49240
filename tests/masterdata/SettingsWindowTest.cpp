#include "MasterDataFixture.h"

#include "masterdata/u_L_Ayarlar.h"
#include "platform/db/Field.h"
#include "platform/ui/DataCheckBox.h"
#include "platform/ui/DataColorEdit.h"
#include "platform/ui/DataComboBox.h"
#include "platform/ui/DataLineEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

namespace {

const QString kUnsavedQuestion = QStringLiteral("Ayarlarda kaydedilmemiş değişiklikler var.\rKaydedilsin mi?");

class SettingsWindow : public MasterDataTest {
protected:
    static QString setting(const char* column)
    {
        return dm->T_Ayarlar->fieldByName(QString::fromLatin1(column))->asString();
    }
    // Replaces an edit's text as the user does: the edit reports it as
    // typed. (Qt's key simulation knows no Turkish letters.)
    static void retype(ui::DataLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }
};

TEST_F(SettingsWindow, ShowsTheSixGroupsAndPutsTheRowIntoEdit)
{
    TL_Ayarlar window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ayarlar"));
    QStringList groups;
    for (QGroupBox* box : {window.cxGroupBox1, window.cxGroupBox2, window.cxGroupBox3, window.cxGroupBox4,
                           window.cxGroupBox5, window.cxGroupBox6})
        groups << box->title();
    EXPECT_EQ(groups, (QStringList{QStringLiteral("Masa Düğme Ayarları"), QStringLiteral("Grid Font Size"),
                                   QStringLiteral("Numaratör"), QStringLiteral("Genel Ayarlar"),
                                   QStringLiteral("Kullanıcı"), QStringLiteral("Termal Yazıcı")}));
    EXPECT_EQ(window.cxButton2->text(), QStringLiteral("&Kaydet"));
    EXPECT_EQ(window.cxDBTextEdit1->accessibleName(), QStringLiteral("Düğme Boy"));
    EXPECT_EQ(window.cxDBTextEdit1->text(), QStringLiteral("120"));
    EXPECT_EQ(window.cxDBTextEdit6->text(), QStringLiteral("STK"));
    EXPECT_EQ(window.cxDBTextEdit7->text(), QStringLiteral("40"));
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Edit);
    EXPECT_EQ(ModifiedState, 2);
}

TEST_F(SettingsWindow, SavingWithoutChangesWritesTheRowBackCommitsAndClearsThePendingFlag)
{
    TL_Ayarlar window;
    window.show();
    window.cxButton2->click();
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
    EXPECT_EQ(ModifiedState, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(value(QStringLiteral("select KULLANICI_ADI from AYARLAR")).toString(), QStringLiteral("demo"));
    EXPECT_EQ(committedCount(QStringLiteral("select MASA_W from AYARLAR")), 120);
}

TEST_F(SettingsWindow, NumbersAndTextsAreStoredAndTheNextChangeEditsAgain)
{
    TL_Ayarlar window;
    retype(window.cxDBTextEdit3, QStringLiteral("16"));
    retype(window.cxDBTextEdit6, QStringLiteral("ÜRN"));
    retype(window.cxDBTextEdit10, QStringLiteral("kasiyer"));
    window.cxButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select MASA_FONT_SIZE from AYARLAR")), 16);
    EXPECT_EQ(value(QStringLiteral("select M_STOK_KODU from AYARLAR")).toString(), QStringLiteral("ÜRN"));
    EXPECT_EQ(value(QStringLiteral("select KULLANICI_ADI from AYARLAR")).toString(), QStringLiteral("kasiyer"));
    EXPECT_EQ(ModifiedState, 0);

    QTest::keyClicks(window.cxDBTextEdit4, QStringLiteral("8"));
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Edit);
    EXPECT_EQ(ModifiedState, 2);
}

TEST_F(SettingsWindow, LongTextIsCutToTheColumn)
{
    TL_Ayarlar window;
    retype(window.cxDBTextEdit10, QStringLiteral("yonetici-kullanicisi-01"));  // 23 characters
    window.cxButton2Click();
    EXPECT_EQ(value(QStringLiteral("select KULLANICI_ADI from AYARLAR")).toString(),
              QStringLiteral("yonetici-kullanicisi"));
}

TEST_F(SettingsWindow, LettersInANumberAreRefusedWithTheFieldsMessageAndNothingIsStored)
{
    TL_Ayarlar window;
    retype(window.cxDBTextEdit3, QStringLiteral("on"));
    dialogs->expectError(QStringLiteral("MASA_FONT_SIZE alanına yazılan 'on' geçerli bir tam sayı değil."));
    window.cxButton2->click();
    EXPECT_EQ(committedCount(QStringLiteral("select MASA_FONT_SIZE from AYARLAR")), 12);
    // The edit shows again what the row holds.
    EXPECT_EQ(window.cxDBTextEdit3->text(), setting("MASA_FONT_SIZE"));
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Edit);
}

struct FlagCase {
    int box;  // 1..3
    const char* column;
};

class SettingsFlags : public SettingsWindow, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(SettingsFlags, TickedIsStoredAsTrueAndUntickedAsFalse)
{
    TL_Ayarlar window;
    ui::DataCheckBox* boxes[] = {window.cxDBCheckBox1, window.cxDBCheckBox2, window.cxDBCheckBox3};
    ui::DataCheckBox* box = boxes[GetParam().box - 1];
    const QString query = QStringLiteral("select %1 from AYARLAR").arg(QString::fromLatin1(GetParam().column));
    ASSERT_FALSE(box->isChecked());
    box->click();
    window.cxButton2Click();
    EXPECT_EQ(value(query).toString(), QStringLiteral("True"));
    EXPECT_TRUE(settingsFlag(QString::fromLatin1(GetParam().column)));
    box->click();
    window.cxButton2Click();
    EXPECT_EQ(value(query).toString(), QStringLiteral("False"));
    EXPECT_FALSE(settingsFlag(QString::fromLatin1(GetParam().column)));
}

INSTANTIATE_TEST_SUITE_P(Boxes, SettingsFlags,
                         ::testing::Values(FlagCase{1, "KASA_UYARI"}, FlagCase{2, "BANKA_UYARI"},
                                           FlagCase{3, "STOK_GRUPLA"}));

TEST_F(SettingsWindow, ShowPasswordShowsAndHidesItWithoutChangingTheRow)
{
    TL_Ayarlar window;
    EXPECT_FALSE(window.CheckBox1->isChecked());
    EXPECT_EQ(window.cxDBTextEdit11->echoMode(), QLineEdit::Password);
    window.CheckBox1->click();
    EXPECT_EQ(window.cxDBTextEdit11->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(window.cxDBTextEdit11->displayText(), QStringLiteral("demo"));
    window.CheckBox1->click();
    EXPECT_EQ(window.cxDBTextEdit11->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dm->T_Ayarlar->modified());
}

TEST_F(SettingsWindow, PrinterListIsTheSystemsAndAPickedNameIsStoredCutToTheColumn)
{
    TL_Ayarlar window;
    // Whatever the system lists, without error when it lists nothing.
    EXPECT_EQ(window.cxDBComboBox1->items(), QPrinterInfo::availablePrinterNames());

    const QString longName = QStringLiteral("Mutfak Termal Yazıcısı 80 mm - Ana Salon - Tezgâh Arkası");
    ASSERT_GT(longName.size(), 50);
    window.cxDBComboBox1->setItems({QStringLiteral("Kasa Yazıcısı"), longName});
    choose(window.cxDBComboBox1, longName);
    window.cxButton2Click();
    EXPECT_EQ(value(QStringLiteral("select YAZICI from AYARLAR")).toString(), longName.left(50));
}

TEST_F(SettingsWindow, ColourPickerStoresTheColourAsRedInTheLowestByte)
{
    TL_Ayarlar window;
    dialogs->expectColor(QColor(10, 20, 30));
    window.dxDBColorEdit2->click();
    window.cxButton2Click();
    EXPECT_EQ(value(QStringLiteral("select MASA_COLOR_2 from AYARLAR")).toLongLong(), 0x1E140A);
}

TEST_F(SettingsWindow, ClosingWithoutChangesAsksNothingAndLeavesNothingPending)
{
    TL_Ayarlar window;
    window.show();
    window.cxButton1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
    EXPECT_EQ(ModifiedState, 0);
}

struct ClosingCase {
    bool yes;
    const char* stored;
};

class SettingsClosing : public SettingsWindow, public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(SettingsClosing, UnsavedChangesAreSavedOrDroppedAsTheUserAnswers)
{
    TL_Ayarlar window;
    window.show();
    retype(window.cxDBTextEdit10, QStringLiteral("garson"));
    dialogs->expectQuestion(kUnsavedQuestion, QStringLiteral("Soru"), ui::MessageIcon::Warning, answer(GetParam().yes));
    window.cxButton1->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(value(QStringLiteral("select KULLANICI_ADI from AYARLAR")).toString(),
              QString::fromLatin1(GetParam().stored));
    // Nothing is left in edit for another window to store or drop.
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Browse);
    EXPECT_EQ(setting("KULLANICI_ADI"), QString::fromLatin1(GetParam().stored));
    EXPECT_EQ(ModifiedState, 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, SettingsClosing,
                         ::testing::Values(ClosingCase{true, "garson"}, ClosingCase{false, "demo"}));

TEST_F(SettingsWindow, ClosingWithARefusedNumberAndYesKeepsTheWindowOpen)
{
    TL_Ayarlar window;
    window.show();
    retype(window.cxDBTextEdit2, QStringLiteral("yüksek"));
    dialogs->expectQuestion(kUnsavedQuestion, QStringLiteral("Soru"), ui::MessageIcon::Warning, ui::DialogButton::Yes);
    dialogs->expectError(QStringLiteral("MASA_H alanına yazılan 'yüksek' geçerli bir tam sayı değil."));
    window.cxButton1->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(committedCount(QStringLiteral("select MASA_H from AYARLAR")), 80);
}

TEST_F(SettingsWindow, WithoutASettingsRowTheWindowStartsOneAndSaveInsertsIt)
{
    exec(QStringLiteral("alter trigger AYARLAR_BD inactive"));
    exec(QStringLiteral("delete from AYARLAR"));
    exec(QStringLiteral("alter trigger AYARLAR_BD active"));
    reloadSettings();
    ASSERT_TRUE(dm->T_Ayarlar->isEmpty());
    TL_Ayarlar window;
    EXPECT_EQ(dm->T_Ayarlar->state(), db::DatasetState::Insert);
    EXPECT_EQ(window.cxDBTextEdit10->text(), QString());
    retype(window.cxDBTextEdit10, QStringLiteral("ilk"));
    window.cxButton2Click();
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from AYARLAR where KULLANICI_ADI = 'ilk'")), 1);
    EXPECT_EQ(committedCount(QStringLiteral("select count(*) from AYARLAR")), 1);
}

}  // namespace
