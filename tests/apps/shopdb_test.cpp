#include "programs.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shop;

namespace {
test::ProcessResult shopdb(const QString& home, const QStringList& args) {
    return test::runProgram(QStringLiteral(SHOPDB_EXE), QStringList{QStringLiteral("--home"), home} + args);
}
} // namespace

TEST(ShopDbTool, InitSqlAndGen) {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("新店"));
    auto init = shopdb(home, {QStringLiteral("init")});
    ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/dat.db")));
    EXPECT_TRUE(QFileInfo(home + QStringLiteral("/数据库备份")).isDir());

    auto again = shopdb(home, {QStringLiteral("init"), QStringLiteral("--demo")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_FALSE(again.err.isEmpty());

    auto rows = shopdb(home, {QStringLiteral("sql"),
                              QStringLiteral("select jifen, discount_rate, null, 'a''b', 2.5 from discount order by jifen")});
    ASSERT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    const QStringList lines = rows.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.first(), QStringLiteral("1000\t98\t\ta'b\t2.5"));

    auto error = shopdb(home, {QStringLiteral("sql"), QStringLiteral("select * from nosuch")});
    EXPECT_EQ(error.exitCode, 1);
    EXPECT_TRUE(error.err.contains(QStringLiteral("no such table: nosuch"))) << error.err.toStdString();
    EXPECT_TRUE(error.out.isEmpty());

    auto write = shopdb(home, {QStringLiteral("sql"), QStringLiteral("update shop_info set shop_name='小店'")});
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(shopdb(home, {QStringLiteral("sql"), QStringLiteral("select shop_name from shop_info")}).out,
              QStringLiteral("小店\n"));

    auto gen = shopdb(home, {QStringLiteral("gen"), QStringLiteral("--goods"), QStringLiteral("300"),
                             QStringLiteral("--members"), QStringLiteral("200"), QStringLiteral("--orders"),
                             QStringLiteral("1000"), QStringLiteral("--seed"), QStringLiteral("7")});
    ASSERT_EQ(gen.exitCode, 0) << gen.err.toStdString();
    auto counts = shopdb(home, {QStringLiteral("sql"),
                                QStringLiteral("select (select count(*) from goods),(select count(*) from member),"
                                               "(select count(*) from orderlist),(select count(*) from order_detail)>=1000")});
    EXPECT_EQ(counts.out, QStringLiteral("300\t200\t1000\t1\n"));

    auto bad = shopdb(home, {QStringLiteral("gen"), QStringLiteral("--goods"), QStringLiteral("many")});
    EXPECT_NE(bad.exitCode, 0);
}

TEST(ShopDbTool, DemoInitAndAWrongFile) {
    QTemporaryDir dir;
    auto init = shopdb(dir.path(), {QStringLiteral("init"), QStringLiteral("--demo")});
    ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    auto members = shopdb(dir.path(), {QStringLiteral("sql"), QStringLiteral("select count(*) from member")});
    EXPECT_GT(members.out.trimmed().toInt(), 5);

    QTemporaryDir other;
    QFile junk(other.filePath(QStringLiteral("dat.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x17'));
    junk.close();
    auto broken = shopdb(other.path(), {QStringLiteral("sql"), QStringLiteral("select 1")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_FALSE(broken.err.isEmpty());
}
