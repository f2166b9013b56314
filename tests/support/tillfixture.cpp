#include "support/tillfixture.h"

#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "db/moneytext.h"
#include "till/basket/addgoods.h"
#include "till/basket/goodslookup.h"
#include "till/basket/recount.h"
#include "till/loginform.h"
#include "till/member/memberlookup.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace shop::test {

TillFixture::TillFixture(bool demo) : shop(demo) {
    dm = std::make_unique<till::TDM>(db::openShopDatabase(shop.path(QStringLiteral("dat.db"))), false);
}

TillFixture::~TillFixture() {
    form.reset();
    dm.reset();
}

void TillFixture::loginWith(const QString& password, const QString& user) {
    seam.modals.push_back([password, user](QDialog& dialog) {
        auto& login = dynamic_cast<till::TloginForm&>(dialog);
        if (!user.isEmpty())
            login.UserCbx->setCurrentText(user);
        login.Edit1->setText(password);
        login.loginBtn->click();
        return dialog.result();
    });
}

bool TillFixture::start() {
    form = std::make_unique<till::TmainForm>(*dm, session);
    return form->FormCreate();
}

void TillFixture::startLoggedIn() {
    loginWith(QString::fromUtf16(db::kInitialCashierPassword));
    ASSERT_TRUE(start());
}

qint64 TillFixture::addGood(const QString& barcode, const QString& name, double price, double addupRate) {
    dm->connection().exec(QStringLiteral("insert into goods(barcode,goods_no,name,g_type,price,costprice,amount,"
                                         "addup_rate,hide) values(:b,:b,:n,1,:p,:c,100,:r,0)"),
                          {{QStringLiteral("b"), barcode},
                           {QStringLiteral("n"), name},
                           {QStringLiteral("p"), price},
                           {QStringLiteral("c"), price / 2},
                           {QStringLiteral("r"), addupRate}});
    return dm->connection().lastInsertRowId();
}

void TillFixture::ringUp(const QString& barcode) {
    till::GoodsLookup lookup(dm->connection());
    const auto rows = lookup.FindGoodsExact(barcode);
    ASSERT_EQ(rows.size(), 1u) << barcode.toStdString();
    till::GoodsAdder adder(lookup, form->basket(), {});
    const till::SaleTerms terms{form->ismember, int(db::MoneyValue(form->disRateEdit->text())), form->rules(),
                                till::RoundingOptions::from(form->settings())};
    adder.AddGoodsToBasket(rows.front(), terms);
    till::RecountInput input{form->ismember, form->rules(), till::RoundingOptions::from(form->settings()),
                             form->settings().yinlian, std::nullopt, 0, 0};
    const till::RecountResult result = till::GoodsCount(form->basket(), input);
    form->realmoneyEdit->setText(result.payableText);
    form->totalMoneyEdit->setText(result.applicableTotalText);
    form->totalMoneyLbl->setText(result.listTotalText);
    form->yinlianEdit->setEnabled(result.otherPaymentEnabled);
    form->printBtn->setEnabled(true);
}

void TillFixture::attachMember(const QString& card) {
    till::MemberLookup lookup(dm->connection());
    const till::CardLookupResult found = lookup.lookUp(card, form->rules().discountPolicy);
    ASSERT_EQ(int(found.outcome), int(till::CardLookupResult::Outcome::Attached)) << card.toStdString();
    const till::MemberValues& m = found.member;
    form->cardNoEdit->setText(m.cardId);
    form->card_id = m.cardId;
    form->ismember = true;
    form->jifen = m.jifen;
    form->mtype = m.mtype;
    form->kayuE = m.balance;
    form->isbirthday = m.birthday;
    form->disRateEdit->setText(QString::number(m.discount));
    form->yuEEdit->setText(m.balanceText);
    form->kafuEdit->setEnabled(m.cardPaymentEnabled);
}

} // namespace shop::test
