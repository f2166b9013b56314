// Taking payment and settling the sale in the main window: the cash, card and other payment
// fields, the change, recording the order, the receipt, and the screen's reset.
#include "db/messages.h"
#include "db/moneytext.h"
#include "platform/clock.h"
#include "platform/shopfolder.h"
#include "till/mainform.h"
#include "till/numtext.h"
#include "till/receipt/receiptfile.h"
#include "till/receipt/receiptprinter.h"
#include "till/settle/latestbackup.h"
#include "till/settle/orderrecorder.h"
#include "till/settle/payment.h"
#include "till/tdm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>

#include <malloc.h>

namespace shop::till {

namespace {

double fieldMoney(const QLineEdit* field) {
    return db::MoneyValue(field->text());
}

// Money fields take digits and one decimal point; anything else is refused as it is typed.
void acceptMoneyOnly(QLineEdit* field) {
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9]*\\.?[0-9]{0,2}$")),
                                                        field));
}

} // namespace

void TmainForm::connectPaymentFields() {
    for (QLineEdit* field : {receivemoneyEdit, kafuEdit, yinlianEdit})
        acceptMoneyOnly(field);
    connect(receivemoneyEdit, &QLineEdit::returnPressed, this, &TmainForm::receivemoneyEditEnter);
    connect(kafuEdit, &QLineEdit::returnPressed, this, &TmainForm::kafuEditEnter);
    connect(kafuEdit, &QLineEdit::editingFinished, this, &TmainForm::kafuEditExit);
    connect(yinlianEdit, &QLineEdit::returnPressed, this, &TmainForm::yinlianEditEnter);
    connect(changeMoneyEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (db::MoneyValue(text) < 0)
            showChange(QString());
    });
    kafuEdit->installEventFilter(this);
    yinlianEdit->installEventFilter(this);
}

bool TmainForm::paymentFieldHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus == receivemoneyEdit || focus == kafuEdit || focus == yinlianEdit;
}

void TmainForm::showChange(const QString& text) {
    if (db::MoneyValue(text) < 0) {
        receivemoneyEdit->clear();
        changeMoneyEdit->clear();
        return;
    }
    changeMoneyEdit->setText(text);
}

bool TmainForm::ComputeChange() {
    PaymentFields fields;
    fields.payable = fieldMoney(realmoneyEdit);
    fields.cashText = receivemoneyEdit->text().trimmed();
    fields.card = fieldMoney(kafuEdit);
    fields.other = fieldMoney(yinlianEdit);
    const ChangeResult result = till::ComputeChange(fields, basket().size());
    switch (result.verdict) {
    case ChangeResult::Verdict::NothingToSettle:
        receivemoneyEdit->clear();
        barcodeinputEdit->setFocus();
        return false;
    case ChangeResult::Verdict::Short:
        ShowNotice(result.message, this);
        receivemoneyEdit->clear();
        receivemoneyEdit->setFocus();
        SaleStage = 2;
        if (changeMoneyEdit->text() != QStringLiteral("0"))
            changeMoneyEdit->clear();
        return false;
    case ChangeResult::Verdict::Settles:
        if (result.other != fields.other)
            yinlianEdit->setText(money2(result.other));
        showChange(result.changeText);
        SaleStage = 3;
        if (printBtn->isEnabled())
            printBtn->setFocus();
        return true;
    }
    return false;
}

void TmainForm::receivemoneyEditEnter() {
    if (fieldMoney(receivemoneyEdit) != 0) {
        if (ComputeChange())
            printBtn->setFocus();
        else
            receivemoneyEdit->setFocus();
        return;
    }
    const ZeroCashEnter zero = zeroCashEnter(fieldMoney(realmoneyEdit), ismember, kayuE, kafuEdit->isEnabled(),
                                             yinlianEdit->isEnabled());
    if (zero.card)
        kafuEdit->setText(money2(*zero.card));
    if (zero.other)
        yinlianEdit->setText(money2(*zero.other));
    if (zero.focus == ZeroCashEnter::Focus::CardField)
        kafuEdit->setFocus();
    else if (zero.focus == ZeroCashEnter::Focus::OtherField)
        yinlianEdit->setFocus();
    ComputeChange();
}

void TmainForm::kafuEditEnter() {
    if (fieldMoney(kafuEdit) == 0) {
        if (yinlianEdit->isEnabled())
            yinlianEdit->setFocus();
        return;
    }
    kafuEditExit();
    if (ComputeChange())
        printBtn->setFocus();
    else
        receivemoneyEdit->setFocus();
}

void TmainForm::kafuEditRight() {
    yinlianEdit->setText(money2(otherPaymentForRest(fieldMoney(realmoneyEdit), fieldMoney(kafuEdit))));
    printBtn->setFocus();
}

void TmainForm::kafuEditExit() {
    const CardPaymentCheck check = checkCardPayment(fieldMoney(kafuEdit), kayuE);
    if (!check.status.isEmpty()) {
        kafuEdit->setText(money2(check.card));
        status2->setText(check.status);
    }
}

void TmainForm::yinlianEditEntered() {
    yinlianEdit->setText(money2(
        otherPaymentOnEnter(fieldMoney(realmoneyEdit), fieldMoney(receivemoneyEdit), fieldMoney(kafuEdit))));
    Label14->setText(chooseOtherMeans());
}

QString TmainForm::chooseOtherMeans() {
    // WeChat Pay joins the choice when the shop has switched it on at the cloud.
    return otherMeansLabel(OtherMeans::BankCard);
}

void TmainForm::yinlianEditEnter() {
    if (printBtn->isEnabled())
        printBtn->setFocus();
    status1->setText(currentMeansText(Label14->text()));
}

bool TmainForm::printBtnClick() {
    // A sale is settled once: a second press while it is being settled (a key pressed while a
    // message is up) does nothing.
    if (settling_)
        return false;
    settling_ = true;
    const bool settled = settleSale();
    settling_ = false;
    return settled;
}

bool TmainForm::settleSale() {
    // 1. The payments must cover the sale.
    if (!ComputeChange()) {
        receivemoneyEdit->setFocus();
        return false;
    }
    // 2. A WeChat payment is charged before anything is written (the cloud's charge goes here).

    // 3. One press settles once: the button stays off until the receipt is done.
    printBtn->setEnabled(false);

    Sale sale;
    sale.lines = basket().lines();
    sale.cardText = cardNoEdit->text();
    if (ismember)
        sale.member = SaleMember{card_id, db::MoneyValue(disRateEdit->text()), isbirthday};
    sale.payable = fieldMoney(realmoneyEdit);
    sale.card = fieldMoney(kafuEdit);
    sale.other = fieldMoney(yinlianEdit);
    sale.meansLabel = Label14->text();
    sale.cashier = session().CashierName;
    sale.salesId = sales_id;
    sale.cika = cika;

    // 4.-9. The order, its lines, the member and the sales person in one transaction. The order
    // upload to the cloud answers `send` when the till is online.
    if (!recorder_)
        recorder_ = std::make_unique<OrderRecorder>(dm().connection(), rules());
    PreparedOrder written;
    const RecordResult recorded = recorder_->settle(sale, {}, &written);
    if (!recorded.ok) {
        printBtn->setEnabled(true);
        ShowError(recorded.message, this);
        return false;
    }
    OrderSerial = recorded.orderId;
    liushuiLbl->setText(QStringLiteral("小票流水号：") + OrderSerial);
    jf_addup = written.points;

    // 11. The receipt.
    ReceiptValues values;
    values.title = names().receiptTitle;
    values.welcome = names().receiptWelcome;
    values.cashier = session().CashierName;
    values.orderId = OrderSerial;
    values.time = Clock::now();
    values.totalMoney = fieldMoney(totalMoneyEdit);
    values.payable = sale.payable;
    values.card = sale.card;
    values.other = written.split.yinlian;
    values.cashGiven = fieldMoney(receivemoneyEdit);
    values.change = fieldMoney(changeMoneyEdit);
    values.salesName = sales_id > 0 ? sales_name : QString();
    values.cardText = sale.cardText;
    values.memberType = ismember ? mtype : QString();
    values.points = written.points;
    values.memberPoints = ismember ? jifen : 0;
    values.balance = ismember ? kayuE : 0;
    values.extraText = fujiastr;
    values.lines = sale.lines;
    const ReceiptLayout layout{settings().bigtitle, settings().bianju};
    const bool rendered =
        RenderReceipt(ReceiptTemplate(receiptTemplateText), values, layout, receiptFilePath(AppPath()));
    printBtn->setEnabled(true);
    lastPrintMessage.clear();
    if (!rendered) {
        lastPrintMessage = QStringLiteral("小票文件无法写入，本单已保存但没有打印小票");
    } else if (!settings().dayin) {
        ReceiptPrinter printer(settings(), AppPath());
        const PrintOutcome printed = printer.printSale();
        if (printed.result == PrintOutcome::Result::Failed)
            lastPrintMessage = printed.message;
    }

    // 12. The member's and the shop's notices after a sale go out here when the cloud is on.

    // 13. The next customer.
    ResetSale();
    status1->setText(lastPrintMessage.isEmpty() ? QStringLiteral("处理完毕，等待下一位顾客") : lastPrintMessage);
    cardNoEdit->setFocus();

    // 14. Now and then the latest copy of the database, and the memory the sale needed.
    AfterSaleBackup(dm().connection()).afterSale();
    malloc_trim(0);
    return true;
}

void TmainForm::ResetSale() {
    barcodeinputEdit->clear();
    basket().clear();
    basket().setMemberHeadings(false);
    totalMoneyLbl->setText(QStringLiteral("共:￥0.00"));
    totalMoneyEdit->setText(QStringLiteral("0.00"));
    realmoneyEdit->setText(QStringLiteral("0.00"));
    goodscountLbl->setText(QStringLiteral("0"));
    Label14->clear();
    receivemoneyEdit->clear();
    kafuEdit->clear();
    yinlianEdit->clear();
    changeMoneyEdit->clear();
    cardNoEdit->clear();
    addupEdit->clear();
    disRateEdit->clear();
    yuEEdit->clear();
    mnameEdit->clear();
    cardtypeEdit->clear();
    mtypeEdit->clear();
    salesEdit->clear();
    printBtn->setEnabled(false);
    SaleStage = 1;
    jifen = 0;
    nodismoney = 0;
    jf_addup = 0;
    kayuE = 0;
    mtype.clear();
    card_id.clear();
    mem_tel.clear();
    ismember = false;
    isbirthday = false;
    kafuEdit->setEnabled(false);
    sales_id = -1;
    sales_name.clear();
    status3->setText(QStringLiteral("销售:"));
    salesLbl->setText(QStringLiteral("N/A"));
    cika = false;
}

void TmainForm::printPreBtnClick() {
    ReceiptPrinter printer(settings(), AppPath());
    QString notice;
    printer.printLast(&notice);
    ShowNotice(notice, this);
}

} // namespace shop::till
