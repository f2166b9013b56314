// The small windows the cashier opens while ringing up a sale: goods query, quantity, discount,
// sales staff and counted card.
#include "db/messages.h"
#include "db/moneytext.h"
#include "platform/uiseam.h"
#include "till/dialogs/countform.h"
#include "till/dialogs/discountform.h"
#include "till/dialogs/fieldkeys.h"
#include "till/dialogs/goodsnumform.h"
#include "till/dialogs/goodsqueryform.h"
#include "till/dialogs/salesform.h"
#include "till/mainform.h"
#include "till/numtext.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace shop::till {

void TmainForm::openGoodsQuery() {
    TgoodsqueryForm form(*this);
    centreOn(form, *this);
    ui::execModal(form);
}

void TmainForm::takeQueriedCode(const QString& code) {
    barcodeinputEdit->setText(code);
    barcodeinputEdit->setFocus();
    // Ringing up again: Enter belongs to the barcode field, even when the cashier had already
    // moved on to the payment before opening the query.
    SaleStage = 1;
    QCoreApplication::postEvent(barcodeinputEdit,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
}

void TmainForm::ChangeQuantity() {
    const int row = selectedRow();
    if (row < 0)
        return;
    TgoodsNumForm form(*this, row);
    centreOn(form, *this);
    ui::execModal(form);
    // However the window closed, the barcode field is left empty.
    barcodeinputEdit->clear();
}

void TmainForm::OpenDiscount(bool zhengdan) {
    DiscountTerms terms;
    terms.zhengdan = zhengdan;
    terms.mindis = rules_.mindis;
    terms.rounding = RoundingOptions::from(settings_);
    int row = -1;
    if (zhengdan) {
        terms.nodis = nodismoney;
        terms.zhekou_qian = db::MoneyValue(totalMoneyEdit->text()) - nodismoney;
    } else {
        row = selectedRow();
        if (row < 0)
            return;
        const BasketLine& line = basket_->line(row);
        if (line.sub(Sub::NoDiscount) == u"-1") {
            ShowNotice(QStringLiteral("本商品不参与打折。"), this);
            barcodeinputEdit->clear();
            return;
        }
        terms.zhekou_qian = readNumber(line.sub(Sub::Quantity)) * readNumber(line.sub(Sub::UnitPrice));
    }
    TdiscountForm form(*this, terms, row);
    placeBelowTop(form, *this, 150);
    ui::execModal(form);
    barcodeinputEdit->clear();
}

void TmainForm::openSalesForm() {
    TsalesForm form(*this);
    centreOn(form, *this);
    ui::execModal(form);
    if (form.query) {
        const SalesPerson& person = form.found();
        sales_id = int(person.salesId);
        sales_name = person.salesName;
        status3->setText(QStringLiteral("销售:") + person.salesName);
        salesEdit->setText(person.salesNo);
        salesLbl->setText(person.salesName);
    } else {
        sales_id = -1;
        sales_name.clear();
        status3->setText(QStringLiteral("销售:"));
        salesEdit->clear();
        salesLbl->setText(QStringLiteral("N/A"));
    }
    receivemoneyEdit->setFocus();
}

void TmainForm::openCountedCard(const QString& card) {
    TcountForm form(*this, card);
    centreOn(form, *this);
    if (ui::execModal(form) != QDialog::Accepted || form.uses() <= 0)
        return;
    const int row = basket_->append(countedCardLine(form.uses()));
    selectRow(row);
    printBtn->setEnabled(true);
    cika = true;
    // A use on its own costs nothing: no cash is due, and the settlement takes it as paid.
    // With goods in the basket the sale waits for their payment as any other.
    if (receivemoneyEdit->text().trimmed().isEmpty() && toCents(db::MoneyValue(realmoneyEdit->text())) == 0)
        receivemoneyEdit->setText(QStringLiteral("0"));
    printBtnClick();
}

bool TmainForm::showChangeFor(double payable) {
    const RecountInput input = recountInput();
    if (!input.cash)
        return false;
    showChange(money2(*input.cash + input.otherPayment + input.cardPayment - payable));
    return true;
}

} // namespace shop::till
