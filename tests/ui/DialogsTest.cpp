#include "ui/support/ScriptedDialogs.h"

#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <climits>

using ui::DialogButton;
using ui::MessageIcon;
using uitest::ScriptedDialogs;

namespace {

const QString unsavedQuestion =
    QStringLiteral("Adisyon Fişi Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\rOnaylıyor musunuz?");

TEST(ScriptedDialogs, AnswersTheExpectedDialogsInOrder)
{
    ScriptedDialogs dialogs;
    dialogs.expectQuestion(unsavedQuestion, QStringLiteral("Hata"), MessageIcon::Warning, DialogButton::No)
        .expectNotice(QStringLiteral("Masa Açık"), {}, MessageIcon::Warning)
        .expectInput(QStringLiteral("Grup"), QStringLiteral("Grup adı"), QStringLiteral("Tatlılar"),
                     QStringLiteral("İçecekler"))
        .expectError(QStringLiteral("'1,2,3' is not a valid floating point value"));

    EXPECT_FALSE(ui::askYesNo(unsavedQuestion, QStringLiteral("Hata")));
    ui::showMessage(QStringLiteral("Masa Açık"), {}, MessageIcon::Warning);
    EXPECT_EQ(ui::dialogs().inputBox(QStringLiteral("Grup"), QStringLiteral("Grup adı"), QStringLiteral("Tatlılar")),
              QStringLiteral("İçecekler"));
    ui::dialogs().showError(QStringLiteral("'1,2,3' is not a valid floating point value"));

    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_EQ(dialogs.shown().size(), 4);
}

TEST(ScriptedDialogs, IsTheServiceOnlyWhileItExists)
{
    ui::Dialogs* standard = &ui::dialogs();
    {
        ScriptedDialogs dialogs;
        EXPECT_EQ(&ui::dialogs(), &dialogs);
    }
    EXPECT_EQ(&ui::dialogs(), standard);
}

TEST(ScriptedDialogs, FailsTheTestOnAnUnexpectedDialog)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            ui::showMessage(QStringLiteral("Hiç adisyon yok"), {}, MessageIcon::Warning);
        },
        "Unexpected dialog: message box \"Hiç adisyon yok\", caption \"\", warning, buttons OK, default OK");
}

TEST(ScriptedDialogs, FailsTheTestWhenTheTextDiffers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectNotice(QStringLiteral("Şİfre giriniz"));
            ui::showMessage(QStringLiteral("Şifre giriniz"));
        },
        "expected: message box \"Şİfre giriniz\"");
}

TEST(ScriptedDialogs, FailsTheTestWhenButtonsOrDefaultDiffer)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectQuestion(QStringLiteral("Stok Silinecek! devam edilsin mi?"), QStringLiteral("Hata"),
                                   MessageIcon::Warning, DialogButton::Yes);
            ui::dialogs().messageBox(QStringLiteral("Stok Silinecek! devam edilsin mi?"), QStringLiteral("Hata"),
                                     MessageIcon::Warning, DialogButton::Yes | DialogButton::No, DialogButton::No);
        },
        "actual: message box \"Stok Silinecek! devam edilsin mi?\", caption \"Hata\", warning, buttons Yes/No, "
        "default No");
}

TEST(ScriptedDialogs, FailsTheTestForAnExpectedDialogNeverShown)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expectNotice(QStringLiteral("Kullanıcı giriniz"));
        },
        "Expected dialog was never shown: message box \"Kullanıcı giriniz\"");
}

TEST(ScriptedDialogs, AnUnexpectedQuestionGetsItsDefaultAnswer)
{
    DialogButton answer = DialogButton::None;
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            answer = ui::dialogs().messageBox(QStringLiteral("?"), {}, MessageIcon::None,
                                              DialogButton::Yes | DialogButton::No, DialogButton::Yes);
        },
        "Unexpected dialog");
    EXPECT_EQ(answer, DialogButton::Yes);
}

// The standard service shows Qt's boxes; a zero timer acts as the user once
// the box runs its own event loop.
template <class Box>
void whenShown(std::function<void(Box&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
    });
}

class StandardDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ui::Application::installQtTranslation()); }
    ui::StandardDialogs dialogs;
};

// Smallest height of the box's buttons and fields, as laid out on screen.
int smallestTarget(QDialog& box)
{
    int smallest = INT_MAX;
    for (QWidget* w : box.findChildren<QWidget*>()) {
        if (w->isVisible() && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w)))
            smallest = std::min(smallest, w->height());
    }
    return smallest;
}

TEST_F(StandardDialogs, QuestionShowsTurkishButtonsTheDefaultAndLineBreaks)
{
    QString text, caption, yes, no, defaultText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        caption = box.windowTitle();
        icon = box.icon();
        yes = box.button(QMessageBox::Yes)->text();
        no = box.button(QMessageBox::No)->text();
        defaultText = box.defaultButton()->text();
        EXPECT_GE(smallestTarget(box), 44);
        box.button(QMessageBox::No)->click();
    });
    const DialogButton answer = dialogs.messageBox(unsavedQuestion, QStringLiteral("Hata"), MessageIcon::Warning,
                                                   DialogButton::Yes | DialogButton::No, DialogButton::Yes);
    EXPECT_EQ(answer, DialogButton::No);
    EXPECT_EQ(text, QStringLiteral("Adisyon Fişi Kaydedilmemiş! Kayıt Yapılmadan Çıkış yapılacak\nOnaylıyor musunuz?"));
    EXPECT_EQ(caption, QStringLiteral("Hata"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(yes, QStringLiteral("&Evet"));
    EXPECT_EQ(no, QStringLiteral("&Hayır"));
    EXPECT_EQ(defaultText, QStringLiteral("&Evet"));
}

TEST_F(StandardDialogs, NoticeHasOneOkButton)
{
    QStringList buttons;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons())
            buttons << b->text();
        box.buttons().front()->click();
    });
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("Kullanıcı giriniz"), {}, MessageIcon::None, DialogButton::Ok,
                                 DialogButton::Ok),
              DialogButton::Ok);
    EXPECT_EQ(buttons, QStringList{QStringLiteral("Tamam")});
}

TEST_F(StandardDialogs, InputBoxReturnsTheTypedText)
{
    QString prompt;
    whenShown<QInputDialog>([&](QInputDialog& box) {
        prompt = box.labelText();
        EXPECT_GE(smallestTarget(box), 44);
        box.setTextValue(QStringLiteral("Bahçe 5"));
        box.accept();
    });
    EXPECT_EQ(dialogs.inputBox(QStringLiteral("Masa"), QStringLiteral("Masa adı"), QStringLiteral("Masa 1")),
              QStringLiteral("Bahçe 5"));
    EXPECT_EQ(prompt, QStringLiteral("Masa adı"));
}

TEST_F(StandardDialogs, CancelledInputBoxReturnsTheDefaultText)
{
    whenShown<QInputDialog>([](QInputDialog& box) {
        box.setTextValue(QStringLiteral("yazılan"));
        box.reject();
    });
    EXPECT_EQ(dialogs.inputBox(QStringLiteral("Masa"), QStringLiteral("Masa adı"), QStringLiteral("Masa 1")),
              QStringLiteral("Masa 1"));
}

TEST_F(StandardDialogs, ErrorBoxShowsTheTextWithTheErrorIcon)
{
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        icon = box.icon();
        EXPECT_GE(smallestTarget(box), 44);
        box.buttons().front()->click();
    });
    dialogs.showError(QStringLiteral("lock conflict on no wait transaction"));
    EXPECT_EQ(text, QStringLiteral("lock conflict on no wait transaction"));
    EXPECT_EQ(icon, QMessageBox::Critical);
}

}  // namespace
