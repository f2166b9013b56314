#include "support/tillfixture.h"

#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "till/loginform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

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
    // The barcode field's Enter, as a scanner gives it.
    form->barcodeinputEdit->setText(barcode);
    form->barcodeinputEditEnter();
    const std::vector<till::BasketLine>& lines = form->basket().lines();
    ASSERT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const till::BasketLine& l) {
        return l.caption == barcode;
    })) << barcode.toStdString();
}

void TillFixture::attachMember(const QString& card) {
    // The card field's Enter.
    form->cardNoEdit->setText(card);
    form->cardNoEditEnter();
    ASSERT_TRUE(form->ismember) << card.toStdString();
    ASSERT_EQ(form->card_id.toLower(), card.trimmed().toLower());
}

} // namespace shop::test
