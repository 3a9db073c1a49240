#include "ui/support/ScriptedDialogs.h"

#include "platform/db/Error.h"
#include "platform/ui/ErrorHandler.h"
#include "platform/ui/Form.h"
#include "platform/ui/Modal.h"

#include <gtest/gtest.h>

#include <QTest>

using uitest::ScriptedDialogs;

namespace {

class Window : public ui::Form {
public:
    explicit Window(QWidget* owner) : Form(owner) { ++created; }
    ~Window() override { ++destroyed; }

    static inline int created = 0;
    static inline int destroyed = 0;
    int shows = 0;
    int closeQuestions = 0;
    bool mayClose = true;
    bool closeFails = false;

protected:
    void formShow() override { ++shows; }
    bool formClose() override
    {
        ++closeQuestions;
        if (closeFails)
            throw db::Error(QStringLiteral("deadlock"));
        return mayClose;
    }
};

class FailingWindow : public ui::Form {
public:
    explicit FailingWindow(QWidget* owner) : Form(owner) { throw db::Error(QStringLiteral("Tablo açılamadı")); }
};

class ModalWindows : public ::testing::Test {
protected:
    void SetUp() override { Window::created = Window::destroyed = 0; }
    QWidget owner;
};

TEST_F(ModalWindows, EachCommandShowsAFreshWindowModallyAndDestroysIt)
{
    std::vector<QDialog*> seen;
    ui::ModalHookScope hook([&](QDialog& w) {
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(w.parentWidget(), &owner);
        EXPECT_EQ(static_cast<Window&>(w).shows, 1);
        seen.push_back(&w);
        w.close();
    });
    ui::showModal<Window>(&owner);
    EXPECT_EQ(Window::destroyed, 1);
    ui::showModal<Window>(&owner);
    EXPECT_EQ(Window::created, 2);
    EXPECT_EQ(Window::destroyed, 2);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_TRUE(owner.findChildren<Window*>().isEmpty());
}

TEST_F(ModalWindows, ThePreparationRunsBeforeTheWindowIsShown)
{
    QString caption;
    ui::ModalHookScope hook([&](QDialog& w) { caption = w.windowTitle(); });
    ui::showModal<Window>(&owner, [](Window& w) { w.setWindowTitle(QStringLiteral("Yeni-Stok")); });
    EXPECT_EQ(caption, QStringLiteral("Yeni-Stok"));
}

TEST_F(ModalWindows, ResultOfAcceptIsReturned)
{
    ui::ModalHookScope hook([](QDialog& w) { w.accept(); });
    EXPECT_EQ(ui::showModal<Window>(&owner), QDialog::Accepted);
}

TEST_F(ModalWindows, CloseHandlerMayKeepTheWindowOpen)
{
    ui::ModalHookScope hook([](QDialog& dialog) {
        auto& w = static_cast<Window&>(dialog);
        w.mayClose = false;
        EXPECT_FALSE(w.close());
        EXPECT_TRUE(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);  // Escape asks too
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.closeQuestions, 2);
        w.mayClose = true;
        EXPECT_TRUE(w.close());
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.shows, 1);
    });
    EXPECT_EQ(ui::showModal<Window>(&owner), QDialog::Rejected);
}

TEST_F(ModalWindows, FailingCloseHandlerShowsTheErrorAndKeepsTheWindowOpen)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("deadlock"));
    ui::ModalHookScope hook([](QDialog& dialog) {
        auto& w = static_cast<Window&>(dialog);
        w.closeFails = true;
        EXPECT_FALSE(w.close());
        EXPECT_TRUE(w.isVisible());
    });
    ui::showModal<Window>(&owner);
}

TEST_F(ModalWindows, AWindowThatCannotBeCreatedFailsTheCommand)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("Tablo açılamadı"));
    int hookRuns = 0;
    ui::ModalHookScope hook([&](QDialog&) { ++hookRuns; });
    EXPECT_FALSE(ui::guarded([&] { ui::showModal<FailingWindow>(&owner); }));
    EXPECT_EQ(hookRuns, 0);
}

TEST_F(ModalWindows, WindowsOpenedFromAModalWindowReachTheHookToo)
{
    QStringList order;
    ui::ModalHookScope hook([&](QDialog& w) {
        order << w.objectName();
        if (w.objectName() == QLatin1String("outer"))
            ui::showModal<Window>(&w, [](Window& inner) { inner.setObjectName(QStringLiteral("inner")); });
        w.close();
    });
    ui::showModal<Window>(&owner, [](Window& w) { w.setObjectName(QStringLiteral("outer")); });
    EXPECT_EQ(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner")}));
    EXPECT_EQ(Window::destroyed, 2);
}

}  // namespace
