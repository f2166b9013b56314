#include "db/connection.h"
#include "db/sqlroutines.h"
#include "db/textscramble.h"
#include "programs.h"
#include "support/shopfixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace shop;
using namespace shop::db;

TEST(Connection, FileIsEncryptedAndPlainSqliteCannotReadIt) {
    test::TempShop shop;
    QFile file(shop.path(QStringLiteral("dat.db")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(16);
    EXPECT_EQ(head.size(), 16);
    EXPECT_NE(head, QByteArray("SQLite format 3\0", 16));

    const test::ProcessResult plain = test::runProgram(
        QStringLiteral("sqlite3"), {shop.path(QStringLiteral("dat.db")), QStringLiteral("select * from member;")});
    EXPECT_NE(plain.exitCode, 0);
    EXPECT_TRUE(plain.err.contains(QStringLiteral("not a database")) ||
                plain.err.contains(QStringLiteral("encrypted")))
        << plain.err.toStdString();
}

TEST(Connection, WrongKeyOrMissingFileIsAClearMessage) {
    test::TempShop shop;
    try {
        Connection::open(shop.path(QStringLiteral("dat.db")), QByteArrayLiteral("wrong"));
        FAIL() << "a wrong key opened the file";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("密码"))) << e.message().toStdString();
    }
    try {
        Connection::open(shop.path(QStringLiteral("none.db")), databasePassword());
        FAIL() << "a missing file opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("数据库文件不存在"));
    }
    // A damaged file: garbage where the pages should be.
    QFile junk(shop.path(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    EXPECT_THROW(Connection::open(junk.fileName(), databasePassword()), DbError);
}

TEST(Connection, AwkwardTextIsStoredAndFoundBackExactly) {
    test::TempShop shop;
    const QString texts[] = {QStringLiteral("O'Brien"), QStringLiteral("50%off"), QStringLiteral("a_b"),
                             QStringLiteral("x';--"), QStringLiteral("会员😀卡"), QStringLiteral("'; drop table member;--"),
                             QString(300, u'长')};
    Query insert(shop.db());
    Query find(shop.db());
    for (const QString& text : texts) {
        ExecSql(insert, QStringLiteral("insert into member(card_id,name,tel) values(:c,:n,:t)"),
                {{QStringLiteral("c"), text}, {QStringLiteral("n"), text}, {QStringLiteral("t"), text}});
        OpenSql(find, QStringLiteral("select *,(addup-exchange)as jifen from member where card_id=:c"),
                {{QStringLiteral("c"), text}});
        ASSERT_FALSE(find.eof()) << text.toStdString();
        EXPECT_EQ(find.value(QStringLiteral("NAME")).toString(), text);
        EXPECT_EQ(find.value(QStringLiteral("jifen")).toDouble(), 0.0);
        ExecSql(insert, QStringLiteral("insert into goods(barcode,name) values(:b,:b)"), {{QStringLiteral("b"), text}});
        OpenSql(find, QStringLiteral("select name from goods where barcode=:b"), {{QStringLiteral("b"), text}});
        ASSERT_FALSE(find.eof());
        EXPECT_EQ(find.value(0).toString(), text);
    }
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select count(*) from member")).toInt(), int(std::size(texts)));
}

TEST(Connection, ContainsPatternMatchesPercentAndUnderscoreLiterally) {
    test::TempShop shop;
    for (const char* name : {"50%off", "500off", "a_b", "axb"})
        shop.db().exec(QStringLiteral("insert into goods(name) values(:n)"), {{QStringLiteral("n"), QString::fromLatin1(name)}});
    auto count = [&](const QString& typed) {
        return shop.db()
            .scalar(QStringLiteral("select count(*) from goods where name like :p escape '\\'"),
                    {{QStringLiteral("p"), containsPattern(typed)}})
            .toInt();
    };
    EXPECT_EQ(count(QStringLiteral("%")), 1);
    EXPECT_EQ(count(QStringLiteral("_")), 1);
    EXPECT_EQ(count(QStringLiteral("0%o")), 1);
    EXPECT_EQ(count(QStringLiteral("off")), 2);
}

TEST(Connection, MissingParameterAndSqlErrorsCarryTheEngineMessage) {
    test::TempShop shop;
    Query query(shop.db());
    try {
        OpenSql(query, QStringLiteral("select * from nosuchtable"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table"))) << e.message().toStdString();
    }
    EXPECT_THROW(OpenSql(query, QStringLiteral("select * from goods where barcode=:b")), DbError);
    // The query is usable again after an error.
    OpenSql(query, QStringLiteral("select count(*) as n from goods"));
    EXPECT_EQ(query.value(QStringLiteral("n")).toInt(), 0);
}

TEST(Connection, TransactionRollsBackUnlessCommitted) {
    test::TempShop shop;
    try {
        Transaction transaction(shop.db());
        shop.db().exec(QStringLiteral("insert into sales(sales_No,sales_name) values('01','甲')"));
        throw DbError(QStringLiteral("stop"));
    } catch (const DbError&) {
    }
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select count(*) from sales")).toInt(), 0);
    {
        Transaction transaction(shop.db());
        shop.db().exec(QStringLiteral("insert into sales(sales_No,sales_name) values('01','甲')"));
        transaction.commit();
    }
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select count(*) from sales")).toInt(), 1);
    EXPECT_FALSE(shop.db().inTransaction());
}

TEST(Connection, SecondProgramWaitsForTheLockInsteadOfFailing) {
    test::TempShop shop;
    auto other = Connection::open(shop.path(QStringLiteral("dat.db")), databasePassword());
    auto transaction = std::make_unique<Transaction>(shop.db());
    shop.db().exec(QStringLiteral("insert into sales(sales_No,sales_name) values('01','甲')"));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        transaction->commit();
    });
    // Blocks until the first connection commits, then succeeds.
    other->exec(QStringLiteral("insert into sales(sales_No,sales_name) values('02','乙')"));
    release.join();
    EXPECT_EQ(other->scalar(QStringLiteral("select count(*) from sales")).toInt(), 2);
}

TEST(Connection, NoProgramLoadsThePlainSqliteLibrary) {
    const QStringList programs = QString::fromUtf8(SHOP_EXECUTABLES).split(u'|');
    for (const QString& program : programs) {
        const test::ProcessResult ldd = test::runProgram(QStringLiteral("ldd"), {program});
        ASSERT_EQ(ldd.exitCode, 0) << program.toStdString();
        EXPECT_TRUE(ldd.out.contains(QStringLiteral("libsqlcipher"))) << program.toStdString();
        EXPECT_FALSE(ldd.out.contains(QStringLiteral("libsqlite3"))) << program.toStdString() << "\n"
                                                                     << ldd.out.toStdString();
    }
}
