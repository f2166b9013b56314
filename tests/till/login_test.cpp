#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "support/tillfixture.h"
#include "till/loginform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;

TEST(Login, CorrectPasswordOpensTheTillWithTheShopInTheTitle) {
    test::TillFixture till;
    till.loginWith(QString::fromUtf16(db::kInitialCashierPassword));
    ASSERT_TRUE(till.start());
    EXPECT_TRUE(till.session.EverLoggedIn);
    EXPECT_EQ(till.session.CashierName, QString::fromUtf16(db::kInitialCashierName));
    EXPECT_EQ(till.form->windowTitle(), QStringLiteral("悦然生活馆 [ID:]"));
    EXPECT_EQ(till.form->status2->text(), QStringLiteral("收银员：收银员"));
    EXPECT_EQ(till.seam.modalTitles, QStringList{QStringLiteral("会员管理前台登录")});
}

TEST(Login, ListsUsersBelowFullRightsInTableOrder) {
    test::TillFixture till;
    till.dm->connection().exec(QStringLiteral("insert into seller(seller,pass,admin) values('店长',:p,1),('老板',:p,2)"),
                               {{QStringLiteral("p"), db::ShowStr(QStringLiteral("1"))}});
    QStringList shown;
    till.seam.modals.push_back([&](QDialog& dialog) {
        auto& login = dynamic_cast<TloginForm&>(dialog);
        for (int i = 0; i < login.UserCbx->count(); ++i)
            shown.append(login.UserCbx->itemText(i));
        login.UserCbx->setCurrentText(QStringLiteral("店长"));
        login.Edit1->setText(QStringLiteral("1"));
        login.loginBtn->click();
        return dialog.result();
    });
    ASSERT_TRUE(till.start());
    EXPECT_EQ(shown, (QStringList{QStringLiteral("收银员"), QStringLiteral("店长")}));
    EXPECT_EQ(till.session.CashierName, QStringLiteral("店长"));
}

TEST(Login, ThreeWrongPasswordsOrCancelEndTheProgram) {
    {
        test::TillFixture till;
        QStringList labels;
        till.seam.modals.push_back([&](QDialog& dialog) {
            auto& login = dynamic_cast<TloginForm&>(dialog);
            for (int i = 0; i < 3; ++i) {
                login.Edit1->setText(QStringLiteral("wrong"));
                login.loginBtn->click();
                labels.append(login.Label3->text());
                if (i < 2) {
                    EXPECT_TRUE(login.Edit1->text().isEmpty());
                }
            }
            EXPECT_TRUE(login.Label3->styleSheet().contains(QStringLiteral("red")));
            return dialog.result();
        });
        EXPECT_FALSE(till.start());
        EXPECT_EQ(labels, (QStringList{QStringLiteral("密码错误第1次，请重新输入"), QStringLiteral("密码错误第2次，请重新输入"),
                                       QStringLiteral("密码错误第3次，请重新输入")}));
        EXPECT_FALSE(till.session.EverLoggedIn);
    }
    {
        test::TillFixture till;
        till.seam.modals.push_back([](QDialog& dialog) {
            dynamic_cast<TloginForm&>(dialog).cancelBtn->click();
            return dialog.result();
        });
        EXPECT_FALSE(till.start());
    }
}

TEST(Login, EmptyStoredPasswordLogsInWithAnEmptyField) {
    test::TillFixture till;
    till.dm->connection().exec(QStringLiteral("update seller set pass='' where admin=0"));
    till.loginWith(QString());
    EXPECT_TRUE(till.start());
}

TEST(Login, InitialPasswordHintOnlyWhileTheShopHasFewerThanFourSales) {
    for (int sales : {3, 4}) {
        test::TillFixture till(false);
        for (int i = 0; i < sales; ++i)
            till.dm->connection().exec(QStringLiteral("insert into orderlist(order_id) values(:id)"),
                                       {{QStringLiteral("id"), QStringLiteral("0000000000%1").arg(i)}});
        TloginForm login(*till.dm, till.session, {QStringLiteral("收银员")});
        login.Edit1Enter();
        if (sales == 3) {
            EXPECT_EQ(login.Label3->text(), QStringLiteral("系统初始密码:888"));
            EXPECT_TRUE(login.Label3->styleSheet().contains(QStringLiteral("blue")));
        } else {
            EXPECT_TRUE(login.Label3->text().isEmpty());
        }
    }
}

TEST(Login, NoCashierAccountsSaysSoAndKeepsTheDialog) {
    test::TillFixture till(false);
    TloginForm login(*till.dm, till.session, {});
    login.loginBtn->click();
    EXPECT_EQ(till.seam.lastText(), QStringLiteral("系统不存在收银员帐号，请进入后台管理添加。"));
    EXPECT_EQ(login.PassTime, 0);
    EXPECT_NE(login.result(), QDialog::Accepted);
}

TEST(Login, UserNameWithQuoteIsLookedUpLiterally) {
    test::TillFixture till(false);
    till.dm->connection().exec(QStringLiteral("insert into seller(seller,pass,admin) values(:s,:p,0)"),
                               {{QStringLiteral("s"), QStringLiteral("O'Neil")}, {QStringLiteral("p"), db::ShowStr(QStringLiteral("7"))}});
    till.loginWith(QStringLiteral("7"), QStringLiteral("O'Neil"));
    ASSERT_TRUE(till.start());
    EXPECT_EQ(till.session.CashierName, QStringLiteral("O'Neil"));
}
