#include "db/schema.h"
#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "support/shopfixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::db;

TEST(Schema, EveryTableHasItsColumns) {
    test::TempShop shop;
    const std::pair<const char*, const char*> tables[] = {
        {"shop_info", "shop_name print_title welcome_str shopid fendian"},
        {"setting", "mindis zeromsg needpsw viewpsw add_rate low_warning autorun discount_policy holidaydouble "
                    "holidayfrom holidayto birthdouble backup_every manjian man jian manjianex alldiscount allzhekou "
                    "alldiscountex disdis scurrency"},
        {"seller", "seller pass admin"},
        {"member", "card_id name tel email addr birthday lunar mtype discount status fromdate enddate cardtype count "
                   "count_spent addup exchange buy_times totalrecharge balance remark"},
        {"mtype", "type_id mtype mrate"},
        {"discount", "jifen discount_rate"},
        {"g_class", "class_id class_name add_rate c_type"},
        {"goods", "goods_id barcode goods_no name g_type class_name price price2 costprice amount sold addup_rate "
                  "ifdis hide guige unit in_date remark ifaddup"},
        {"tejia", "goods_id tprice"},
        {"goods_price", "p_id goods_id price price2 from_time to_time"},
        {"orderlist", "order_id order_date card_id seller sales_id total_money total_cost cash yinlian weixin zhifb send"},
        {"order_detail", "detail_id order_id goods_id barcode amount subtotal"},
        {"sales", "sales_id sales_No sales_name amount remark"},
        {"recharge_his", "card_id recharge gifts seller recharge_date remark"},
        {"cashbox", "cash_date chushi jiezhang jieyu"},
        {"services", "ser_id sername isuse todate level fee usecount maxcount url"},
        {"goodschange", "barcode goodsname amount reason remark"},
        {"dx", "user pass"},
        {"barcode", "goods_No goods_Name price"},
        {"goodsIN", "goods_id pifa_id"},
        {"supplier", "sup_id sup_name"},
    };
    for (const auto& [table, columns] : tables) {
        const QStringList have = columnNames(shop.db(), QString::fromLatin1(table));
        for (const QString& column : QString::fromLatin1(columns).split(u' '))
            EXPECT_TRUE(have.contains(column)) << table << "." << column.toStdString();
    }
    EXPECT_EQ(schemaVersion(shop.db()), kSchemaVersion);
}

TEST(Schema, ServicesAndGoodsPriceUseTheirExactStatements) {
    test::TempShop shop;
    const auto stored = [&](const char* table) {
        return shop.db()
            .scalar(QStringLiteral("select sql from sqlite_master where type='table' and name=:n"),
                    {{QStringLiteral("n"), QString::fromLatin1(table)}})
            .toString();
    };
    // The engine keeps the statement as given from the table name on.
    const auto body = [](const QString& sql, const char* table) { return sql.mid(sql.indexOf(QLatin1String(table))); };
    EXPECT_EQ(body(stored("services"), "services("), body(servicesCreateStatement(), "services("));
    EXPECT_EQ(body(stored("goods_price"), "goods_price(") + u';', body(goodsPriceCreateStatement(), "goods_price("));
    EXPECT_TRUE(servicesCreateStatement().startsWith(QStringLiteral("Create TABLE services(ser_id integer")));
    EXPECT_TRUE(goodsPriceCreateStatement().startsWith(QStringLiteral("Create  TABLE goods_price(\r\n[p_id]")));
}

TEST(Schema, DefaultsLetPlainAdditionsWork) {
    test::TempShop shop;
    shop.db().exec(QStringLiteral("insert into member(card_id,name) values('X1','甲')"));
    shop.db().exec(QStringLiteral("update member set buy_times=buy_times+1,count=count-1,count_spent=count_spent+1,"
                                  "addup=addup+2.5,balance=balance-1,exchange=exchange+0,totalrecharge=totalrecharge+0"));
    Query q(shop.db());
    q.setSql(QStringLiteral("select buy_times,count,count_spent,addup,balance from member"));
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("buy_times")).toInt(), 1);
    EXPECT_EQ(q.value(QStringLiteral("count")).toInt(), -1);
    EXPECT_EQ(q.value(QStringLiteral("count_spent")).toInt(), 1);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("addup")).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("balance")).toDouble(), -1);
    shop.db().exec(QStringLiteral("insert into goods(barcode) values('1')"));
    shop.db().exec(QStringLiteral("insert into orderlist(order_id) values('01234567890')"));
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select hide from goods")).toInt(), 0);
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select send from orderlist")).toInt(), 0);
    // Receipt numbers keep their leading zero and compare equal with the lines' numbers.
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select order_id from orderlist where order_id='01234567890'")).toString(),
              QStringLiteral("01234567890"));
}

TEST(Schema, CardNumbersAreFoundAndUniqueWithoutRegardToCase) {
    test::TempShop shop;
    shop.db().exec(QStringLiteral("insert into member(card_id,name) values('ABC123','甲')"));
    EXPECT_EQ(shop.db()
                  .scalar(QStringLiteral("select name from member where card_id=:c COLLATE NOCASE"),
                          {{QStringLiteral("c"), QStringLiteral("abc123")}})
                  .toString(),
              QStringLiteral("甲"));
    EXPECT_THROW(shop.db().exec(QStringLiteral("insert into member(card_id) values('abc123')")), DbError);
    Query q(shop.db());
    q.setSql(QStringLiteral("explain query plan select * from member where card_id=:c COLLATE NOCASE"));
    q.bind(QStringLiteral("c"), QStringLiteral("x"));
    q.open();
    EXPECT_TRUE(q.value(3).toString().contains(QStringLiteral("INDEX"))) << q.value(3).toString().toStdString();
}

TEST(Schema, ScanLookupsUseIndexes) {
    test::TempShop shop;
    const char* statements[] = {
        "select * from goods where hide=0 and barcode=:v",
        "select * from goods where hide=0 and goods_no=:v",
        "select * from goods where hide=0 and name=:v",
        "select * from member where tel=:v",
        "select * from member where name=:v",
        "select tprice from tejia where goods_id=:v",
        "select price,price2 from goods_price where goods_id=:v",
        "select * from order_detail where order_id=:v",
        "select * from orderlist where order_id=:v",
        "select * from orderlist where card_id=:v",
        "select * from orderlist where sales_id=:v",
        "select * from orderlist where order_date>=:v",
        "select * from goods where hide=0 and barcode=:v COLLATE NOCASE",
        "select * from goods where hide=0 and goods_no=:v COLLATE NOCASE",
        "select * from goods where hide=0 and name=:v COLLATE NOCASE",
    };
    for (const char* sql : statements) {
        Query q(shop.db());
        q.setSql(QStringLiteral("explain query plan ") + QString::fromLatin1(sql));
        q.bind(QStringLiteral("v"), QStringLiteral("x"));
        q.open();
        EXPECT_TRUE(q.value(3).toString().contains(QStringLiteral("INDEX"))) << sql << ": "
                                                                             << q.value(3).toString().toStdString();
    }
}

TEST(Schema, CheckFieldAddsAMissingColumnOnce) {
    test::TempShop shop;
    shop.db().execScript(QStringLiteral("create table old_orders(order_id text)"));
    EXPECT_TRUE(CheckField(shop.db(), QStringLiteral("old_orders"), QStringLiteral("weixin"), QStringLiteral("0"),
                           QStringLiteral("double")));
    EXPECT_FALSE(CheckField(shop.db(), QStringLiteral("old_orders"), QStringLiteral("weixin"), QStringLiteral("0"),
                            QStringLiteral("double")));
    shop.db().exec(QStringLiteral("insert into old_orders(order_id) values('1')"));
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select weixin from old_orders")).toDouble(), 0.0);
    EXPECT_EQ(columnNames(shop.db(), QStringLiteral("old_orders")).count(QStringLiteral("weixin")), 1);
}

TEST(Schema, CheckFieldTakesLetterCaseLiterallyAndReportsTheEngine) {
    test::TempShop shop;
    shop.db().execScript(QStringLiteral("create table old_orders(order_id text, Send smallint)"));
    try {
        CheckField(shop.db(), QStringLiteral("old_orders"), QStringLiteral("send"), QString(), QStringLiteral("smallint"));
        FAIL() << "a column Send was taken for send";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("duplicate column"))) << e.message().toStdString();
    }
}

TEST(Schema, StockFollowsSaleAndReturnLines) {
    test::TempShop shop;
    auto& db = shop.db();
    db.exec(QStringLiteral("insert into goods(barcode,name,g_type,amount,sold) values('G','水',1,10,2)"));
    const qint64 good = db.lastInsertRowId();
    db.exec(QStringLiteral("insert into goods(barcode,name,g_type,amount,sold) values('S','洗剪吹',2,0,0)"));
    const qint64 service = db.lastInsertRowId();
    auto line = [&](qint64 id, double amount) {
        db.exec(QStringLiteral("insert into order_detail(order_id,barcode,amount,subtotal,goods_id) "
                               "values('1','x',:a,0,:g)"),
                {{QStringLiteral("a"), amount}, {QStringLiteral("g"), id}});
    };
    auto stock = [&](qint64 id) {
        Query q(db);
        q.setSql(QStringLiteral("select amount,sold from goods where goods_id=:g"));
        q.bind(QStringLiteral("g"), id);
        q.open();
        return std::pair{q.value(0).toDouble(), q.value(1).toDouble()};
    };
    line(good, 3.5);
    EXPECT_EQ(stock(good), (std::pair{6.5, 5.5}));
    line(good, -3.5);
    EXPECT_EQ(stock(good), (std::pair{10.0, 2.0}));
    line(service, 2);
    EXPECT_EQ(stock(service), (std::pair{0.0, 2.0}));
    line(-1, 5); // a counted-card use touches no item
    EXPECT_EQ(stock(good), (std::pair{10.0, 2.0}));
    EXPECT_EQ(stock(service), (std::pair{0.0, 2.0}));
}

TEST(Schema, UpgradeBringsAnOlderFileUpWithoutLosingData) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dat.db"));
    {
        auto c = Connection::open(path, databasePassword(), Connection::Mode::CreateIfMissing);
        // A file of the old layout: no version, no indexes, no triggers, no services table.
        c->execScript(QStringLiteral(
            "create table goods(goods_id integer primary key, barcode text, name text, amount real, sold real, "
            "g_type integer, hide integer);"
            "create table order_detail(detail_id integer primary key, order_id text, goods_id integer, barcode text, "
            "amount real, subtotal real);"
            "create table orderlist(order_id text, order_date datetime, card_id text, total_money real);"
            "create table member(card_id varchar(20), name varchar(30), tel varchar(30));"
            "insert into goods values(1,'690','旧货',5,0,1,0);"
            "insert into member values('AB1','老会员','139');"
            "insert into member values('ab1','大小写不同','138');"));
    }
    auto c = Connection::open(path, databasePassword());
    EXPECT_EQ(schemaVersion(*c), 0);
    EXPECT_EQ(upgradeSchema(*c), kSchemaVersion);
    EXPECT_EQ(upgradeSchema(*c), 0);
    EXPECT_EQ(c->scalar(QStringLiteral("select count(*) from sqlite_master where name='goods_barcode_nocase'")).toInt(), 1);
    EXPECT_EQ(schemaVersion(*c), kSchemaVersion);
    EXPECT_TRUE(tableExists(*c, QStringLiteral("services")));
    EXPECT_TRUE(tableExists(*c, QStringLiteral("goods_price")));
    EXPECT_EQ(c->scalar(QStringLiteral("select count(*) from member")).toInt(), 2);
    c->exec(QStringLiteral("insert into order_detail(order_id,goods_id,barcode,amount,subtotal) values('1',1,'690',2,0)"));
    EXPECT_EQ(c->scalar(QStringLiteral("select amount from goods")).toDouble(), 3.0);
}
