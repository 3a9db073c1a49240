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

using uitest::ScriptedDialogs;

namespace {

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
    FailingButton button(QStringLiteral("Kaydet"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
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
