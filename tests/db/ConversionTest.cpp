#include "platform/db/Conversions.h"
#include "platform/db/Cp1254.h"
#include "platform/db/DisplayFormat.h"
#include "platform/db/Error.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

class TurkishLocale : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

struct FormatCase {
    double value;
    const char* picture;
    const char* expected;
};

using DisplayFormatTest = TurkishLocale;

TEST_F(DisplayFormatTest, PicturesUseTheLocaleSeparators)
{
    const FormatCase cases[] = {
        {1234.5, "###,###,##0.##", "1.234,5"},
        {1234.0, "###,###,##0.##", "1.234"},
        {0.0, "###,###,##0.##", "0"},
        {0.256, "###,###,##0.##", "0,26"},
        {1234567.891, "###,###,##0.00", "1.234.567,89"},
        {90.0, "###,###,##0.00TL", "90,00TL"},
        {-30.0, "###,###,##0.00", "-30,00"},
        {-0.001, "###,###,##0.00", "0,00"},
        {12.5, "0.##", "12,5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db::formatPicture(c.value, QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected))
            << c.value << " " << c.picture;
}

using TextNumberTest = TurkishLocale;

TEST_F(TextNumberTest, FloatTextHasFifteenDigitsAndNoGrouping)
{
    EXPECT_EQ(db::floatToText(100), QStringLiteral("100"));
    EXPECT_EQ(db::floatToText(1234.5), QStringLiteral("1234,5"));
    EXPECT_EQ(db::floatToText(0.1 + 0.2), QStringLiteral("0,3"));
    EXPECT_EQ(db::strToFloat(QStringLiteral("12,5")), 12.5);
    EXPECT_EQ(db::strToFloat(QStringLiteral("007")), 7.0);
}

TEST_F(TextNumberTest, BadNumbersNameTheText)
{
    for (const char* text : {"1,2,3", "", "abc", "12.5"}) {
        try {
            db::strToFloat(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const db::ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
    }
}

TEST(Cp1254Test, TurkishLettersRoundTrip)
{
    const QString text = QStringLiteral("Çay, şekerli; İĞÜŞÖÇ ığüşöç ı € ");
    const auto bytes = db::cp1254::encode(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->at(1 + text.indexOf(u'İ') - 1), char(0xDD));
    EXPECT_EQ(db::cp1254::decode(*bytes), text);
}

TEST(Cp1254Test, EmojiIsRefusedAndNamed)
{
    const QString text = QStringLiteral("Kahve ") + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_FALSE(db::cp1254::encode(text).has_value());
    EXPECT_EQ(db::cp1254::firstUnencodable(text), QString::fromUtf8("\xF0\x9F\x98\x80"));
}

}  // namespace
