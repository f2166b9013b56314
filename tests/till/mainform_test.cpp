#include "db/backupfiles.h"
#include "db/schema.h"
#include "platform/shopfolder.h"
#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "support/tillfixture.h"
#include "till/dailybackup.h"
#include "till/singleinstance.h"
#include "till/tillsettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

TEST(DailyBackupRule, CopiesPerTheShopsChoice) {
    const QDate monday(2026, 12, 7), tuesday(2026, 12, 8), first(2026, 12, 1);
    EXPECT_TRUE(backupDueOn(0, tuesday));
    EXPECT_TRUE(backupDueOn(1, monday));
    EXPECT_FALSE(backupDueOn(1, tuesday));
    EXPECT_TRUE(backupDueOn(2, first));
    EXPECT_FALSE(backupDueOn(2, monday));
    EXPECT_FALSE(backupDueOn(3, first));
    EXPECT_FALSE(backupDueOn(-1, monday));
}

TEST(DailyBackupRule, StartUpCopyOnMondayOnlyAndNotAfterAManualCopy) {
    struct Case {
        QDate day;
        bool manualCopy;
        bool copied;
        QString status;
    } cases[] = {{QDate(2026, 12, 7), false, true, QStringLiteral("数据库备份成功")},
                 {QDate(2026, 12, 8), false, false, QStringLiteral("提示：请使用键盘操作")},
                 {QDate(2026, 12, 14), true, false, QStringLiteral("提示：请使用键盘操作")}};
    for (const Case& c : cases) {
        test::TillFixture till;
        till.dm->connection().exec(QStringLiteral("update setting set backup_every=1"));
        Clock::setFixed(QDateTime(c.day, QTime(9, 0)).toUTC());
        if (c.manualCopy) {
            QFile manual(db::manualBackupPath(c.day));
            ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
        }
        till.loginWith(QStringLiteral("888"));
        ASSERT_TRUE(till.start());
        EXPECT_EQ(QFileInfo::exists(db::dailyBackupPath(c.day)), c.copied) << c.day.toString().toStdString();
        EXPECT_EQ(till.form->status1->text(), c.status);
    }
}

TEST(DailyBackupRule, MissingBackupFolderIsReportedAndTheTillGoesOn) {
    test::TillFixture till;
    QDir(db::backupFolder()).removeRecursively();
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    EXPECT_EQ(till.form->status1->text(), QStringLiteral("备份出错，请检查数据库！"));
}

TEST(TillStart, MissingDatabaseOpensNoWindow) {
    QTemporaryDir dir;
    setAppPath(dir.path());
    ui::RecordingSeam seam;
    EXPECT_EQ(TDM::DataModuleCreate(), nullptr);
    EXPECT_EQ(seam.texts(), QStringList{QStringLiteral("数据库文件不存在")});
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());
}

TEST(TillStart, OlderOrderTableGetsItsColumnsOnce) {
    test::TempShop shop;
    shop.db().execScript(QStringLiteral(
        "create table old as select order_id,order_date,card_id,seller,sales_id,total_money,total_cost,cash,yinlian "
        "from orderlist; drop table orderlist; alter table old rename to orderlist;"));
    TDM dm(db::openShopDatabase(shop.path(QStringLiteral("dat.db"))), false);
    const QStringList columns = db::columnNames(dm.connection(), QStringLiteral("orderlist"));
    EXPECT_TRUE(columns.contains(QStringLiteral("send")));
    EXPECT_TRUE(columns.contains(QStringLiteral("weixin")));
    EXPECT_TRUE(columns.contains(QStringLiteral("zhifb")));
    dm.topUpSchema(); // a second start adds nothing
    EXPECT_EQ(db::columnNames(dm.connection(), QStringLiteral("orderlist")).size(), columns.size());
    dm.connection().exec(QStringLiteral("insert into orderlist(order_id) values('1')"));
    EXPECT_EQ(dm.connection().scalar(QStringLiteral("select weixin from orderlist")).toDouble(), 0.0);
}

TEST(SingleTill, SecondInstanceIsRefusedAndAStaleLockIsNot) {
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.acquire());
    SingleInstance second(dir.path());
    EXPECT_FALSE(second.acquire());

    // A lock left by a till that died: its process no longer exists.
    QTemporaryDir other;
    QProcess gone;
    gone.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    gone.kill();
    gone.waitForFinished();
    // The lock file as a till writes it, with the process id of the dead one.
    QByteArray contents;
    {
        QLockFile probe(QDir(other.path()).filePath(QStringLiteral("probe.lock")));
        ASSERT_TRUE(probe.tryLock(0));
        QFile written(QDir(other.path()).filePath(QStringLiteral("probe.lock")));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        contents = written.readAll();
    }
    contents = QByteArray::number(deadPid) + contents.mid(contents.indexOf('\n'));
    QFile stale(QDir(other.path()).filePath(QStringLiteral("OnlyOneTB.lock")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(contents);
    stale.close();
    SingleInstance next(other.path());
    EXPECT_TRUE(next.acquire());
}

TEST(TillWindow, PlacementRoundTripsWithKeysInAnyLetterCase) {
    test::TillFixture till;
    {
        QFile ini(TillSettings::filePath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[CASH]\nWIDTH=1000\nheight=720\nTOP1=15\nleft1=25\nMaximized=0\n");
    }
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    EXPECT_EQ(till.form->geometry(), QRect(25, 15, 1000, 720));
    till.form->setGeometry(40, 30, 960, 690);
    till.form->canexit = true;
    till.form->close();
    IniFile ini(TillSettings::filePath());
    EXPECT_EQ(ini.readInteger(QStringLiteral("cash"), QStringLiteral("width"), 0), 960);
    EXPECT_EQ(ini.readInteger(QStringLiteral("cash"), QStringLiteral("height"), 0), 690);
    EXPECT_EQ(ini.readInteger(QStringLiteral("cash"), QStringLiteral("top1"), 0), 30);
    EXPECT_EQ(ini.readInteger(QStringLiteral("cash"), QStringLiteral("left1"), 0), 40);
    EXPECT_FALSE(ini.readBool(QStringLiteral("cash"), QStringLiteral("maximized"), true));
    // The file keeps its own spelling of the keys and has no second copy of them.
    EXPECT_EQ(ini.keys(QStringLiteral("cash")).size(), 5);
}

TEST(TillWindow, WithoutASettingsFileTheWindowIsCentredAtItsDefaultSize) {
    test::TillFixture till;
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    EXPECT_EQ(till.form->size(), QSize(990, 700));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(till.form->geometry().topLeft(), QPoint((screen.width() - 990) / 2, (screen.height() - 700) / 2));
    EXPECT_EQ(till.form->OrderSerial, QStringLiteral("00000000000"));
    EXPECT_EQ(till.form->liushuiLbl->text(), QStringLiteral("小票流水号：00000000000"));
    EXPECT_EQ(till.form->totalMoneyLbl->text(), QStringLiteral("共:￥0.00"));
    EXPECT_TRUE(till.form->salesEdit->isEnabled());
    EXPECT_FALSE(till.form->kafuEdit->isEnabled());
    EXPECT_FALSE(till.form->printBtn->isEnabled());
    EXPECT_TRUE(QFileInfo(till.shop.path(QStringLiteral("qrcode"))).isDir());
}

TEST(TillWindow, ClosingWithTheIconSettingHidesInsteadOfEnding) {
    test::TillFixture till;
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    till.form->show();
    EXPECT_FALSE(till.form->close()); // showIco is on by default
    EXPECT_TRUE(till.form->isMinimized() || !till.form->isVisible());
    till.form->canexit = true;
    EXPECT_TRUE(till.form->close());
}

TEST(TillWindow, StatusTimerReplacesFinishedMessagesWithTheTime) {
    test::TillFixture till;
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    Clock::setFixed(QDateTime(QDate(2026, 3, 8), QTime(14, 5)).toUTC());
    till.form->status1->setText(QStringLiteral("处理完毕，等待下一位顾客"));
    till.form->statusTimerTimer();
    EXPECT_EQ(till.form->status1->text(), QStringLiteral("03月08日 14:05"));
    till.form->status1->setText(QStringLiteral("商品6921168509256库存:240"));
    till.form->statusTimerTimer();
    EXPECT_EQ(till.form->status1->text(), QStringLiteral("商品6921168509256库存:240"));
}

TEST(TillWindow, ViewPassword) {
    struct Case {
        bool needpsw;
        QString stored;
        std::optional<QString> typed;
        bool opens;
        QStringList messages;
    } cases[] = {{false, QString(), std::nullopt, true, {}},
                 {true, QString(), QString(), true, {}},
                 {true, QStringLiteral("1234"), QStringLiteral("1234"), true, {}},
                 {true, QStringLiteral("1234"), QStringLiteral("123"), false, {QStringLiteral("密码错误！")}},
                 {true, QStringLiteral("1234"), std::nullopt, false, {}}};
    for (const Case& c : cases) {
        test::TillFixture till;
        till.dm->connection().exec(QStringLiteral("update setting set needpsw=:n,viewpsw=:p"),
                                   {{QStringLiteral("n"), c.needpsw ? -1 : 0},
                                    {QStringLiteral("p"), db::ShowStr(c.stored)}});
        till.loginWith(QStringLiteral("888"));
        ASSERT_TRUE(till.start());
        till.seam.clear();
        till.seam.inputs.push_back(c.typed);
        EXPECT_EQ(till.form->askViewPassword(), c.opens);
        EXPECT_EQ(till.seam.texts(), c.messages);
        if (c.needpsw) {
            EXPECT_EQ(till.seam.inputTitles, QStringList{QStringLiteral("请输入查看密码   ")});
        }
    }
}

TEST(TillWindow, ExtraReceiptTextIsReadLineByLine) {
    test::TillFixture till;
    QFile extra(till.shop.path(QStringLiteral("小票自定义.txt")));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.write("地址：幸福路8号\r\n电话：12345\n");
    extra.close();
    till.loginWith(QStringLiteral("888"));
    ASSERT_TRUE(till.start());
    EXPECT_EQ(till.form->fujiastr, QStringLiteral("地址：幸福路8号\n电话：12345\n"));
}
