#include "platform/db/SqlText.h"

#include <gtest/gtest.h>

namespace {

TEST(NamedParametersTest, RewritesNamesAndKeepsQuotesAndComments)
{
    const auto p = db::parseNamedParameters(QStringLiteral(
        "select ':NOT' , \"A:B\" from t -- :COMMENT\n where a = :A and b = :b /* :C */ or a = :a"));
    EXPECT_EQ(p.text, QStringLiteral(
        "select ':NOT' , \"A:B\" from t -- :COMMENT\n where a = ? and b = ? /* :C */ or a = ?"));
    ASSERT_EQ(p.positions.size(), 3u);
    EXPECT_EQ(p.positions[0], QStringLiteral("A"));
    EXPECT_EQ(p.positions[1], QStringLiteral("B"));
    EXPECT_EQ(p.positions[2], QStringLiteral("A"));
    EXPECT_EQ(p.names(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST(NamedParametersTest, DoubledQuoteInsideText)
{
    const auto p = db::parseNamedParameters(QStringLiteral("where x LIKE 'A''s :x%' and y = :Y"));
    EXPECT_EQ(p.text, QStringLiteral("where x LIKE 'A''s :x%' and y = ?"));
    ASSERT_EQ(p.positions.size(), 1u);
}

}  // namespace
