#include "db/backupfiles.h"
#include "db/textscramble.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::db;

TEST(BackupFiles, NamesFollowTheDay) {
    test::TempShop shop;
    EXPECT_EQ(dailyBackupPath(QDate(2015, 3, 4)), shop.folder() + QStringLiteral("数据库备份/2015-03-04.nBAK"));
    EXPECT_EQ(manualBackupPath(QDate(2015, 3, 4)), shop.folder() + QStringLiteral("数据库备份/2015-03-04.sBAK"));
    EXPECT_EQ(latestBackupPath(), shop.folder() + QStringLiteral("数据库备份/最新备份.nBAK"));
}

TEST(BackupFiles, CopyIsACompleteEncryptedDatabase) {
    test::TempShop shop(true);
    const QString target = latestBackupPath();
    QString error;
    ASSERT_TRUE(copyDatabase(shop.db(), target, &error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
    auto copy = Connection::open(target, databasePassword());
    EXPECT_EQ(copy->scalar(QStringLiteral("select count(*) from orderlist")).toInt(),
              shop.db().scalar(QStringLiteral("select count(*) from orderlist")).toInt());
    // The connection stays usable during and after the copy.
    shop.db().exec(QStringLiteral("insert into sales(sales_No,sales_name) values('99','后来')"));
}

TEST(BackupFiles, FailedCopyLeavesTheOldCopyAlone) {
    test::TempShop shop;
    QString error;
    EXPECT_FALSE(copyDatabase(shop.db(), shop.path(QStringLiteral("no/such/folder/x.nBAK")), &error));
    EXPECT_FALSE(error.isEmpty());

    const QString target = dailyBackupPath(QDate(2020, 1, 1));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old copy");
    old.close();
    // A copy that cannot be written (a folder stands where the part file goes) keeps the old one.
    QDir().mkpath(target + QStringLiteral(".part/busy"));
    EXPECT_FALSE(copyDatabase(shop.db(), target, &error));
    QFile check(target);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("old copy"));
}
