#include "platform/ui/Colors.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

namespace {

struct ColorCase {
    qint64 value;
    QColor color;
    QString name;
};

class ColorValues : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorValues, ConvertBothWays)
{
    const ColorCase& c = GetParam();
    EXPECT_EQ(ui::colorFromValue(c.value), c.color);
    EXPECT_EQ(ui::valueFromColor(c.color), c.value);
    EXPECT_EQ(ui::colorValueName(c.value), c.name);
}

INSTANTIATE_TEST_SUITE_P(Colors, ColorValues,
                         ::testing::Values(ColorCase{0x000000FF, QColor(255, 0, 0), QStringLiteral("#FF0000")},
                                           ColorCase{0x0000FF00, QColor(0, 255, 0), QStringLiteral("#00FF00")},
                                           ColorCase{0x00FF0000, QColor(0, 0, 255), QStringLiteral("#0000FF")},
                                           // the settings row's free-table green, R 46 G 125 B 50
                                           ColorCase{3308846, QColor(46, 125, 50), QStringLiteral("#2E7D32")},
                                           ColorCase{16777215, QColor(255, 255, 255), QStringLiteral("#FFFFFF")},
                                           ColorCase{0, QColor(0, 0, 0), QStringLiteral("#000000")}));

TEST(Colors, SystemColourConstantsFollowThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    // clBtnFace as a signed 32-bit column holds it, and its older 0x80 form.
    EXPECT_TRUE(ui::isSystemColorValue(qint32(0xFF00000F)));
    EXPECT_EQ(ui::colorFromValue(qint32(0xFF00000F)), palette.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ui::colorFromValue(0x8000000F), palette.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ui::colorFromValue(qint32(0xFF00000D)), palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_FALSE(ui::isSystemColorValue(0x00FFFFFF));
}

TEST(Colors, AlphaIsDroppedAndInvalidIsBlack)
{
    EXPECT_EQ(ui::valueFromColor(QColor(1, 2, 3, 40)), 0x00030201);
    EXPECT_EQ(ui::valueFromColor(QColor()), 0);
}

}  // namespace
