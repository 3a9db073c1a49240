// The main window, the login and the About window worked without a mouse,
// by finger, and on a screen of twice the pixel density.

#include "LoginFixture.h"

#include "support/TestDatabase.h"
#include "ui/support/Keyboard.h"
#include "ui/support/ScriptedDialogs.h"

#include "data/degiskenler.h"
#include "data/u_dm.h"
#include "platform/ui/DataCheckBox.h"
#include "platform/ui/Modal.h"
#include "shell/u_Giris.h"
#include "shell/u_L_AnaMenu.h"
#include "shell/u_Yardim.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

using uitest::ScriptedDialogs;

namespace {

TEST(MainWindowKeys, EveryCommandIsATabStopInToolbarOrderAndFingerSized)
{
    // Shown, but no event is processed: that would bring up the login.
    TL_AnaMenu window;
    window.show();
    const QList<QToolButton*> commands = {window.ToolButton1, window.ToolButton2, window.ToolButton3,
                                          window.ToolButton4, window.ToolButton6, window.ToolButton5,
                                          window.ToolButton7};
    QList<QWidget*> stops;
    for (QWidget* w : uitest::tabChain(&window)) {
        if (qobject_cast<QToolButton*>(w))
            stops.append(w);
    }
    EXPECT_EQ(stops, QList<QWidget*>(commands.begin(), commands.end()));
    for (QToolButton* command : commands) {
        EXPECT_TRUE(uitest::keyboardReachable(command)) << command->text().toStdString();
        EXPECT_TRUE(uitest::fingerSized(command)) << command->text().toStdString();
        // A touch does not move the focus away from where the keys work.
        EXPECT_FALSE(command->focusPolicy() & Qt::ClickFocus) << command->text().toStdString();
    }
}

TEST(MainWindowKeys, SpaceOnAFocusedCommandRunsIt)
{
    TL_AnaMenu window;
    QStringList opened;
    ui::ModalHookScope hook([&](QDialog& shown) { opened << shown.windowTitle(); });
    window.ToolButton5->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.ToolButton5, Qt::Key_Space);
    EXPECT_EQ(opened, QStringList{QStringLiteral("Yardim")});

    // "Parametreler" drops its menu down, whose items the arrow keys and
    // Enter work.
    window.ToolButton4->setFocus(Qt::TabFocusReason);
    bool dropped = false;
    QTimer::singleShot(0, &window, [&] {
        dropped = window.PopupMenu2->isVisible();
        window.PopupMenu2->close();
    });
    QTest::keyClick(window.ToolButton4, Qt::Key_Space);
    EXPECT_TRUE(dropped);
    EXPECT_FALSE(window.PopupMenu2->isVisible());
}

TEST(AboutWindowKeys, EscapeClosesIt)
{
    TYardim about;
    ASSERT_TRUE(uitest::activate(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST(ShellPictures, IconsAreDrawingsThatStaySharpAtDoubleScale)
{
    TL_AnaMenu window;
    for (QToolButton* command : {window.ToolButton1, window.ToolButton2, window.ToolButton3, window.ToolButton4,
                                 window.ToolButton6, window.ToolButton5, window.ToolButton7})
        EXPECT_TRUE(uitest::sharpAtDoubleScale(command->icon(), command->iconSize())) << command->text().toStdString();
    for (QAction* item : window.PopupMenu2->actions()) {
        if (!item->isSeparator()) {
            EXPECT_TRUE(uitest::sharpAtDoubleScale(item->icon(), QSize(32, 32))) << item->text().toStdString();
        }
    }
}

// The login over the demo cafe's database; the main window stays hidden,
// since these tests process events.
class LoginKeys : public LoginFixture {
protected:
    LoginKeys() : LoginFixture(false) {}
};

TEST_F(LoginKeys, TabGoesThroughTheFieldsAndButtonsInTheirOrder)
{
    ScriptedDialogs dialogs;
    TGiris login(mainWindow);
    login.show();
    EXPECT_EQ(uitest::tabChain(&login),
              (QList<QWidget*>{login.comDataBase, login.eKullanici, login.eSifre, login.cxButton1, login.cxButton2,
                               login.cxDBCheckBox7}));
    // Without "Beni Hatırla" the user name field has the focus.
    EXPECT_EQ(login.focusWidget(), login.eKullanici);
    for (QPushButton* button : {login.cxButton1, login.cxButton2}) {
        EXPECT_TRUE(uitest::keyboardReachable(button)) << button->text().toStdString();
        EXPECT_TRUE(uitest::fingerSized(button)) << button->text().toStdString();
    }
}

struct LoginKeyCase {
    const char* name;
    std::function<void(TGiris&)> press;
};

TEST_F(LoginKeys, EnterInThePasswordAndTheMnemonicLogIn)
{
    const LoginKeyCase cases[] = {
        {"Enter in the password", [](TGiris& login) { QTest::keyClick(login.eSifre, Qt::Key_Return); }},
        {"Enter of the number pad",
         [](TGiris& login) { QTest::keyClick(login.eSifre, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Alt+G", [](TGiris& login) { QTest::keyClick(login.eKullanici, Qt::Key_G, Qt::AltModifier); }},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        LoginAccepted = 0;
        TGiris login(mainWindow);
        ASSERT_TRUE(uitest::activate(&login)) << c.name;
        login.eKullanici->clear();
        login.eSifre->clear();
        QTest::keyClicks(login.eKullanici, QStringLiteral("demo"));
        QTest::keyClicks(login.eSifre, QStringLiteral("demo"));
        c.press(login);
        // A mnemonic shows its button pressed for a moment before it acts.
        QTest::qWait(200);
        EXPECT_EQ(LoginAccepted, 11) << c.name;
        EXPECT_FALSE(login.isVisible()) << c.name;
    }
}

TEST_F(LoginKeys, EscapeLeavesWithoutLoggingIn)
{
    ScriptedDialogs dialogs;
    mainWindow->show();
    TGiris login(mainWindow);
    ASSERT_TRUE(uitest::activate(&login));
    QTest::keyClick(&login, Qt::Key_Escape);
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(LoginAccepted, 0);
    // Leaving the login ends the program.
    EXPECT_FALSE(mainWindow->isVisible());
}

}  // namespace
