#include "platform/textcodec.h"

#include <gtest/gtest.h>

using namespace shop;

TEST(TextCodec, Gb18030RoundTrip) {
    EXPECT_EQ(toGb18030(QStringLiteral("中文")), QByteArray("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(toGb18030(QStringLiteral("abc")), QByteArray("abc"));
    const QString mixed = QStringLiteral("小票 ￥12.50 😀");
    EXPECT_EQ(fromGb18030(toGb18030(mixed)), mixed);
}

TEST(TextCodec, DecodesUtf8OrFallsBackToGb18030) {
    EXPECT_EQ(decodeText(QStringLiteral("收银台").toUtf8()), QStringLiteral("收银台"));
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF") + QStringLiteral("收银台").toUtf8()), QStringLiteral("收银台"));
    EXPECT_EQ(decodeText(toGb18030(QStringLiteral("收银台"))), QStringLiteral("收银台"));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xC0\x80")));     // overlong
    EXPECT_FALSE(isValidUtf8(QByteArray("\xE4\xB8")));     // cut short
    EXPECT_FALSE(isValidUtf8(QByteArray("\xED\xA0\x80"))); // surrogate
    EXPECT_TRUE(isValidUtf8(QByteArray("plain")));
}
