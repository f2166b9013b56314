#include "support/tillfixture.h"

#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "till/loginform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace shop::test
