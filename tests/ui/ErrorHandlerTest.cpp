#include "ui/support/ScriptedDialogs.h"

#include "platform/db/Error.h"
#include "platform/ui/ErrorHandler.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include <stdexcept>

using uitest::ScriptedDialogs;

namespace {

struct ThrownError {
    const char* name;
    std::function<void()> raise;
    QString shown;
};

class ErrorHandler : public ::testing::TestWithParam<ThrownError> {};

TEST_P(ErrorHandler, GuardedCommandShowsTheErrorsOwnTextAndStops)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(GetParam().shown);
    bool reachedEnd = false;
    const bool completed = ui::guarded([&] {
        GetParam().raise();
        reachedEnd = true;
    });
    EXPECT_FALSE(completed);
    EXPECT_FALSE(reachedEnd);
}

TEST_P(ErrorHandler, ConnectedHandlerShowsTheErrorInsteadOfUnwindingThroughQt)
{
    ScriptedDialogs dialogs;
    dialogs.expectError(GetParam().shown);
    QPushButton button;
    int runs = 0;
    ui::connectGuarded(&button, &QPushButton::clicked, &button, [&] {
        ++runs;
        GetParam().raise();
    });
    button.click();
    EXPECT_EQ(runs, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorHandler,
    ::testing::Values(
        ThrownError{"DatabaseError",
                    [] {
                        throw db::Error(QStringLiteral("lock conflict on no wait transaction\ndeadlock"), -913,
                                        335544345, QStringLiteral("40001"));
                    },
                    QStringLiteral("lock conflict on no wait transaction\ndeadlock")},
        ThrownError{"ConversionError",
                    [] { throw db::ConversionError(QStringLiteral("'1,2,3' is not a valid floating point value")); },
                    QStringLiteral("'1,2,3' is not a valid floating point value")},
        ThrownError{"StdException", [] { throw std::runtime_error("dosya bulunamadı"); },
                    QStringLiteral("dosya bulunamadı")},
        ThrownError{"Unknown", [] { throw 42; }, QStringLiteral("Beklenmeyen bir hata oluştu.")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorHandlerConnections, HandlerGetsTheSignalsArguments)
{
    QPushButton button;
    button.setCheckable(true);
    bool seen = false;
    ui::connectGuarded(&button, &QPushButton::toggled, &button, [&](bool checked) { seen = checked; });
    button.click();
    EXPECT_TRUE(seen);
}

struct Window : QObject {
    int clicks = 0;
    void ToolButton1Click() { ++clicks; }
};

TEST(ErrorHandlerConnections, HandlerMethodWithoutArgumentsConnects)
{
    QPushButton button;
    Window window;
    ui::connectGuarded(&button, &QPushButton::clicked, &window, &Window::ToolButton1Click);
    button.click();
    EXPECT_EQ(window.clicks, 1);
}

TEST(ErrorHandlerConnections, NothingIsShownWhenTheCommandSucceeds)
{
    ScriptedDialogs dialogs;
    EXPECT_TRUE(ui::guarded([] {}));
}

}  // namespace
