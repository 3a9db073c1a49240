// The master-data windows worked without a mouse, by finger, and on a
// screen of twice the pixel density.

#include "MasterDataFixture.h"
#include "ui/support/Keyboard.h"

#include "masterdata/u_F_Stok.h"
#include "masterdata/u_L_Ayarlar.h"
#include "masterdata/u_L_Birim.h"
#include "masterdata/u_L_Grup.h"
#include "masterdata/u_L_Masa.h"
#include "masterdata/u_L_Stok.h"
#include "platform/ui/DataColorEdit.h"

#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

struct WindowCase {
    const char* name;
    std::function<QWidget*()> make;
    int commands;
    QSize designed = {};
};

class MasterDataKeys : public MasterDataTest, public ::testing::WithParamInterface<WindowCase> {};

// The window's own commands: its buttons, not the parts Qt builds into
// other controls.
QList<QAbstractButton*> commandsOf(QWidget* window)
{
    QList<QAbstractButton*> commands;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if ((qobject_cast<QToolButton*>(button) || qobject_cast<QPushButton*>(button)) &&
            !button->objectName().isEmpty() && !button->objectName().startsWith(QLatin1String("qt_")))
            commands.append(button);
    }
    return commands;
}

TEST_P(MasterDataKeys, EveryCommandHasAKeyAFingerSizeAndASharpPicture)
{
    std::unique_ptr<QWidget> window(GetParam().make());
    window->show();
    const QList<QAbstractButton*> commands = commandsOf(window.get());
    EXPECT_EQ(commands.size(), GetParam().commands);
    for (QAbstractButton* command : commands) {
        const std::string name = command->text().toStdString();
        EXPECT_TRUE(uitest::keyboardReachable(command)) << name;
        // The settings window's colour pickers keep their height: taller,
        // they would no longer fit the window's designed size.
        if (!qobject_cast<ui::DataColorEdit*>(command)) {
            EXPECT_TRUE(uitest::fingerSized(command)) << name;
        }
        // Pictures, not the colour pickers' swatches of one colour.
        if (qobject_cast<QToolButton*>(command)) {
            EXPECT_TRUE(uitest::sharpAtDoubleScale(command->icon(), command->iconSize())) << name;
        }
    }
    // All of it still fits the window's designed size.
    const QSize designed = GetParam().designed;
    if (designed.isValid()) {
        EXPECT_LE(window->minimumSizeHint().width(), designed.width());
        EXPECT_LE(window->minimumSizeHint().height(), designed.height());
        EXPECT_EQ(window->size(), designed);
    }
    window->hide();
}

INSTANTIATE_TEST_SUITE_P(Windows, MasterDataKeys,
                         ::testing::Values(WindowCase{"TL_Stok", [] { return new TL_Stok; }, 4},
                                           WindowCase{"TF_Stok",
                                                      [] {
                                                          dm->Q_Stok->open();
                                                          return new TF_Stok;
                                                      },
                                                      5},
                                           WindowCase{"TL_Grup", [] { return new TL_Grup; }, 5},
                                           WindowCase{"TL_Birim", [] { return new TL_Birim; }, 4},
                                           WindowCase{"TL_Masa", [] { return new TL_Masa; }, 4},
                                           WindowCase{"TL_Ayarlar", [] { return new TL_Ayarlar; }, 5, QSize(682, 554)}),
                         [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

using MasterDataKeyPress = MasterDataTest;

TEST_F(MasterDataKeyPress, SpaceOnAFocusedCommandRunsItAndEscapeCloses)
{
    TL_Birim window;
    ASSERT_TRUE(uitest::activate(&window));
    const int units = dm->Q_Birim->recordCount();
    dialogs->expectInput(QStringLiteral("Yeni Birim"), QStringLiteral("Birim Adı : "), QString(),
                         QStringLiteral("Kase"));
    window.ToolButton1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.ToolButton1, Qt::Key_Space);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dm->Q_Birim->recordCount(), units + 1);
    // Tab goes on to the next command.
    QTest::keyClick(window.ToolButton1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.ToolButton2);

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    // Closing ran the window's own close handler.
    EXPECT_FALSE(dm->Q_Birim->active());
}

}  // namespace
