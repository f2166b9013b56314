#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "platform/clock.h"
#include "support/shopfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::db;

TEST(ShopSetup, NewShopHasFilesAndDeliveredRows) {
    test::TempShop shop;
    EXPECT_TRUE(QFileInfo(shop.path(QStringLiteral("数据库备份"))).isDir());
    EXPECT_TRUE(QFileInfo::exists(shop.path(QStringLiteral("hlist.xml"))));
    auto& db = shop.db();
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from shop_info")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from setting")).toInt(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from discount")).toInt(), 4);
    EXPECT_GE(db.scalar(QStringLiteral("select count(*) from mtype")).toInt(), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from orderlist")).toInt(), 0);
    // One full-rights user and one cashier, with the passwords the login windows name.
    EXPECT_EQ(db.scalar(QStringLiteral("select pass from seller where admin=2")).toString(),
              ShowStr(QString::fromUtf16(kInitialAdminPassword)));
    EXPECT_EQ(db.scalar(QStringLiteral("select pass from seller where admin=0")).toString(),
              ShowStr(QString::fromUtf16(kInitialCashierPassword)));
    EXPECT_EQ(QString::fromUtf16(kInitialCashierPassword).size(), 3);
}

TEST(ShopSetup, RefusesToOverwriteAShop) {
    test::TempShop shop;
    shop.db().exec(QStringLiteral("insert into sales(sales_No,sales_name) values('09','留下')"));
    const SetupResult again = initShopFolder(shop.folder(), false);
    EXPECT_FALSE(again.ok);
    EXPECT_TRUE(again.message.contains(QStringLiteral("dat.db")));
    shop.reopen();
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select sales_name from sales")).toString(), QStringLiteral("留下"));
}

TEST(ShopSetup, DemoShopHasEveryKindOfMemberAndSomeWeeksOfOrders) {
    Clock::setFixed(QDateTime(QDate(2026, 5, 20), QTime(2, 0), Qt::UTC));
    test::TempShop shop(true);
    auto& db = shop.db();
    auto count = [&](const char* where) {
        return db.scalar(QStringLiteral("select count(*) from ") + QString::fromUtf8(where)).toInt();
    };
    EXPECT_GT(count("goods where g_type=1 and hide=0"), 10);
    EXPECT_GT(count("goods where g_type=2"), 5);
    EXPECT_GT(count("goods where price2>0"), 3);
    EXPECT_GT(count("goods where price=0 and hide=0"), 0);
    EXPECT_GT(count("tejia"), 0);
    EXPECT_GT(count("goods_price"), 0);
    EXPECT_GT(count("g_class"), 3);
    EXPECT_GT(count("sales"), 1);
    EXPECT_GT(count("member where cardtype=-1"), 0);
    EXPECT_GT(count("member where cardtype<>-1 and status=-1 and balance>0"), 0);
    EXPECT_GT(count("member where cardtype<>-1 and balance=0"), 0);
    EXPECT_GT(count("member where status<>-1"), 0);
    EXPECT_GT(count("member where date(enddate)<'2026-05-20'"), 0);
    EXPECT_GT(count("member where lunar=-1"), 0);
    EXPECT_GT(count("member where birthday='5月20日'"), 0);
    EXPECT_GT(count("orderlist where date(order_date)>='2026-04-29' and date(order_date)<'2026-05-20'"), 100);
    EXPECT_EQ(count("orderlist where order_id not in (select order_id from order_detail)"), 0);
    // Demo sales lowered the stock through the order lines.
    EXPECT_GT(db.scalar(QStringLiteral("select total(sold) from goods where g_type=1")).toDouble(), 0);
    // The receipt numbers are the order times.
    EXPECT_EQ(count("orderlist where order_id <> substr(strftime('%Y%m%d%H%M%S',order_date),4)"), 0);
    EXPECT_NE(db.scalar(QStringLiteral("select shop_name from shop_info")).toString(), QString());
}
