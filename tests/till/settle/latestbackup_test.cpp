#include "till/settle/latestbackup.h"

#include "db/backupfiles.h"
#include "db/textscramble.h"
#include "support/shopfixture.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using Outcome = AfterSaleBackup::Outcome;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(AfterSaleBackup, CopiesOnlyOnTheDrawOfTwoAndOnlyWhenTheShopKeepsTheFile) {
    test::TempShop shop;
    int next = 2;
    AfterSaleBackup backup(shop.db(), [&] { return next; });

    // Without "最新备份.nBAK" nothing is ever copied.
    EXPECT_EQ(backup.afterSale(), Outcome::NoLatestFile);
    EXPECT_FALSE(QFileInfo::exists(db::latestBackupPath()));

    writeFile(db::latestBackupPath(), "old copy");
    for (int draw : {0, 1, 3}) {
        next = draw;
        EXPECT_EQ(backup.afterSale(), Outcome::NotDrawn);
        EXPECT_EQ(readFile(db::latestBackupPath()), QByteArray("old copy"));
    }

    shop.db().exec(QStringLiteral("insert into orderlist(order_id,total_money) values('50304180509',25)"));
    next = 2;
    EXPECT_EQ(backup.afterSale(), Outcome::Copied);
    auto copy = db::Connection::open(db::latestBackupPath(), db::databasePassword());
    EXPECT_EQ(copy->scalar(QStringLiteral("select order_id from orderlist")).toString(), QStringLiteral("50304180509"));
}

TEST(AfterSaleBackup, TheRealDrawCopiesAboutOneSaleInFour) {
    test::TempShop shop;
    writeFile(db::latestBackupPath(), "old copy");
    AfterSaleBackup backup(shop.db());
    int copies = 0;
    for (int i = 0; i < 200; ++i) {
        const Outcome o = backup.afterSale();
        ASSERT_TRUE(o == Outcome::Copied || o == Outcome::NotDrawn);
        copies += o == Outcome::Copied;
    }
    // 50 expected; the chance of falling outside 15..100 is far below one in a billion.
    EXPECT_GT(copies, 15);
    EXPECT_LT(copies, 100);
}
