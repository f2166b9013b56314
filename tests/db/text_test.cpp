#include "db/moneytext.h"
#include "db/textscramble.h"

#include <gtest/gtest.h>

using namespace shop::db;

TEST(MoneyText, ReadsShownMoney) {
    const std::pair<const char16_t*, double> cases[] = {
        {u"￥1,234.50", 1234.5}, {u"abc", 0},       {u"12.30", 12.3}, {u"", 0},        {u"￥", 0},
        {u"-3.5", -3.5},         {u"1,000,000", 1e6}, {u"￥ 8.00", 8.0}, {u"12.3.4", 0}, {u"nan", 0}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(MoneyValue(QString::fromUtf16(text)), value) << QString::fromUtf16(text).toStdString();
        EXPECT_DOUBLE_EQ(StrToFloatEx(QString::fromUtf16(text)), value) << QString::fromUtf16(text).toStdString();
    }
}

TEST(MoneyText, ShowsTwoDecimals) {
    EXPECT_EQ(moneyText(12.3), QStringLiteral("12.30"));
    EXPECT_EQ(moneyText(12.345), QStringLiteral("12.35"));
    EXPECT_EQ(moneyText(-0.5), QStringLiteral("-0.50"));
    EXPECT_EQ(moneyText(0), QStringLiteral("0.00"));
}

TEST(TextScramble, TwiceGivesBackEveryCodeUpTo255) {
    QString all;
    for (int code = 0; code <= 255; ++code)
        all.append(QChar(char16_t(code)));
    const QString once = ShowStr(all);
    EXPECT_NE(once, all);
    EXPECT_EQ(once.size(), all.size());
    EXPECT_EQ(ShowStr(once), all);
    EXPECT_EQ(ShowStr(QStringLiteral("888")).size(), 3);
}

TEST(TextScramble, DatabasePasswordIsFiveCharacters) {
    EXPECT_EQ(databasePassword().size(), 5);
}
