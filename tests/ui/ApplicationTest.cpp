// The application object must be the program's one QApplication, so this
// test program creates it in its own main().
#include "ui/support/ScriptedDialogs.h"

#include "platform/db/Error.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define TAVLORA_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define TAVLORA_LEAK_CHECKS 1
#endif
#endif

using uitest::ScriptedDialogs;

namespace {

// Qt does not clean up after an exception that unwinds through it: a press
// that throws out of mousePressEvent leaves the event's point data and the
// button's accessibility entry behind (290 bytes). The commands catch their
// own errors in their slots (ui::guarded); the application's catch is the
// last resort, and this test makes it catch on purpose, so the leak checker
// does not count what is allocated from the button's making to the failed
// press.
class QtUnwindingLeaksIgnored {
public:
    QtUnwindingLeaksIgnored() { disable(); }
    ~QtUnwindingLeaksIgnored() { enable(); }
    QtUnwindingLeaksIgnored(const QtUnwindingLeaksIgnored&) = delete;
    QtUnwindingLeaksIgnored& operator=(const QtUnwindingLeaksIgnored&) = delete;

    void enable()
    {
#ifdef TAVLORA_LEAK_CHECKS
        if (disabled_)
            __lsan_enable();
#endif
        disabled_ = false;
    }

private:
    void disable()
    {
#ifdef TAVLORA_LEAK_CHECKS
        __lsan_disable();
#endif
        disabled_ = true;
    }

    bool disabled_ = false;
};

// A window whose event handler fails the way a command does when the
// database refuses.
class FailingButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        if (presses == 1)
            throw db::Error(QStringLiteral("violation of PRIMARY or UNIQUE KEY constraint \"PK_MASA\""));
        QPushButton::mousePressEvent(event);
    }
};

TEST(Application, ErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("violation of PRIMARY or UNIQUE KEY constraint \"PK_MASA\""));
    QtUnwindingLeaksIgnored unwinding;
    FailingButton button(QStringLiteral("Kaydet"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    unwinding.enable();
    EXPECT_EQ(clicks, 0);  // the failed press stopped the command
    dialogs.verify();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(Application, ErrorOfAQueuedHandlerIsShown)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(QStringLiteral("'abc' is not a valid floating point value"));
    bool after = false;
    QTimer::singleShot(0, [] { throw db::ConversionError(QStringLiteral("'abc' is not a valid floating point value")); });
    QTimer::singleShot(0, [&] { after = true; });
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(after);
}

TEST(Application, LoadsQtsTurkishButtonTexts)
{
    ASSERT_TRUE(ui::Application::installQtTranslation());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Evet"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("İptal"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
