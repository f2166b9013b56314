#include "till/dialogs/discountform.h"

#include "db/messages.h"
#include "db/moneytext.h"
#include "till/dialogs/fieldkeys.h"
#include "till/mainform.h"
#include "till/numtext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shop::till {

TdiscountForm::TdiscountForm(TmainForm& main, const DiscountTerms& terms, int row)
    : QDialog(&main), main_(main), calc_(terms), row_(terms.zhengdan ? -1 : row) {
    setObjectName(QStringLiteral("TdiscountForm"));
    setWindowTitle(terms.zhengdan ? QStringLiteral("折扣[整单]") : QStringLiteral("折扣[单品]"));

    auto* rateBox = new QGroupBox(QStringLiteral("打折"), this);
    auto* rateGrid = new QGridLayout(rateBox);
    discountEdit = new QLineEdit(rateBox);
    discountEdit->setObjectName(QStringLiteral("discountEdit"));
    // Two digits at most; the limit is on typing only, so a rate of 100 put in by the points
    // policy is shown whole rather than cut to "10".
    keepCharacters(discountEdit, digitsOnly(), 2);
    disEdit2 = new QLineEdit(rateBox);
    disEdit2->setObjectName(QStringLiteral("disEdit2"));
    keepCharacters(disEdit2, digitsAndPoint());
    rateGrid->addWidget(new QLabel(QStringLiteral("输入折扣率："), rateBox), 0, 0);
    rateGrid->addWidget(discountEdit, 0, 1);
    rateGrid->addWidget(new QLabel(QStringLiteral("折扣金额:"), rateBox), 1, 0);
    rateGrid->addWidget(disEdit2, 1, 1);

    auto* payBox = new QGroupBox(this);
    auto* payGrid = new QGridLayout(payBox);
    realMoneyEdit = new QLineEdit(payBox);
    realMoneyEdit->setObjectName(QStringLiteral("realMoneyEdit"));
    keepCharacters(realMoneyEdit, digitsAndPoint());
    payGrid->addWidget(new QLabel(QStringLiteral("实收金额:"), payBox), 0, 0);
    payGrid->addWidget(realMoneyEdit, 0, 1);

    infoLbl = new QLabel(this);
    infoLbl->setObjectName(QStringLiteral("infoLbl"));
    infoLbl->setWordWrap(true);
    okBtn = new QPushButton(QStringLiteral("确认"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->addWidget(rateBox);
    root->addWidget(payBox);
    root->addWidget(infoLbl);
    root->addWidget(okBtn, 0, Qt::AlignRight);
    for (QLineEdit* field : {discountEdit, disEdit2, realMoneyEdit})
        field->setMinimumWidth(160);
    // The fields of both groups line up.
    const int captions = fontMetrics().horizontalAdvance(QStringLiteral("输入折扣率：")) + 4;
    rateGrid->setColumnMinimumWidth(0, captions);
    payGrid->setColumnMinimumWidth(0, captions);
    infoLbl->setMinimumWidth(320);
    setFixedSize(sizeHint());

    discountEdit->installEventFilter(this);
    connect(disEdit2, &QLineEdit::textChanged, this, &TdiscountForm::disEdit2Change);
    onLeave(disEdit2, [this] { realMoneyEditExit(); });
    onLeave(realMoneyEdit, [this] { realMoneyEditExit(); });
    onEnter(discountEdit, [this] { disEdit2->setFocus(); });
    onEnter(disEdit2, [this] { realMoneyEdit->setFocus(); });
    onEnter(realMoneyEdit, [this] { okBtn->setFocus(); });
    connect(okBtn, &QPushButton::clicked, this, &TdiscountForm::okBtnClick);
    discountEdit->setFocus();

    // A member's discount from the points policy is the rate to start with, worked out at once
    // so that Enter through the fields gives it.
    const QString memberRate = main.disRateEdit->text().trimmed();
    if (!memberRate.isEmpty() && main.rules().discountPolicy) {
        discountEdit->setText(memberRate);
        discountEdit->selectAll();
        infoLbl->setText(QStringLiteral("说明：已根据积分政策自动设置折扣率"));
        discountEditKeyUp();
    }
}

bool TdiscountForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == discountEdit && event->type() == QEvent::KeyRelease &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat())
        discountEditKeyUp();
    return QDialog::eventFilter(watched, event);
}

void TdiscountForm::discountEditKeyUp() {
    const RateStep step = calc_.rateTyped(discountEdit->text());
    switch (step.outcome) {
    case RateStep::Outcome::Wait:
        return;
    case RateStep::Outcome::TooLow:
        ShowNotice(DiscountCalc::tooLowMessage(), this);
        discountEdit->clear();
        disEdit2->clear();
        discountEdit->setFocus();
        return;
    case RateStep::Outcome::Rate:
        dis_rate = step.disRate;
        disEdit2->setText(step.amountOff);
        return;
    case RateStep::Outcome::Zero:
        dis_rate = 0;
        disEdit2->setText(step.amountOff);
        okBtn->setFocus();
        return;
    }
}

void TdiscountForm::disEdit2Change() {
    const AmountOffStep step = calc_.amountOffChanged(disEdit2->text());
    if (step.clearFields) {
        disEdit2->clear(); // shows the full amount as payable again
        discountEdit->clear();
        return;
    }
    realMoneyEdit->setText(step.payable);
}

bool TdiscountForm::realMoneyEditExit(bool confirming) {
    const PayableCheck check = calc_.payableLeft(realMoneyEdit->text(), !confirming);
    switch (check.outcome) {
    case PayableCheck::Outcome::Empty:
        return true;
    case PayableCheck::Outcome::Unreadable:
    case PayableCheck::Outcome::TooHigh:
        refuseKeepingText(check.outcome);
        return false;
    case PayableCheck::Outcome::TooLow:
        ShowNotice(DiscountCalc::tooLowMessage(), this);
        if (confirming) {
            realMoneyEdit->selectAll();
        } else {
            dis_rate = check.disRate;
            disEdit2->clear();
            realMoneyEdit->clear();
        }
        realMoneyEdit->setFocus();
        return false;
    case PayableCheck::Outcome::Accepted:
        realMoneyEdit->setText(check.text);
        // At "确认" the rate stays as given: a rate typed as such is not replaced by what its
        // rounded payable works out to.
        if (!confirming)
            dis_rate = check.disRate;
        return true;
    }
    return false;
}

void TdiscountForm::refuseKeepingText(PayableCheck::Outcome outcome) {
    // The typed text stays for the cashier to correct.
    ShowNotice(outcome == PayableCheck::Outcome::Unreadable ? DiscountCalc::unreadableMessage()
                                                            : DiscountCalc::tooHighMessage(),
               this);
    realMoneyEdit->setFocus();
    realMoneyEdit->selectAll();
}

void TdiscountForm::okBtnClick() {
    if (realMoneyEdit->text().trimmed().isEmpty()) {
        reject();
        return;
    }
    // A click on "确认" may come straight from a field whose text was refused and kept.
    if (!realMoneyEditExit(true))
        return;
    const double payable = readNumber(realMoneyEdit->text());
    if (row_ < 0)
        applyToOrder(payable);
    else
        applyToLine(payable);
    accept();
}

void TdiscountForm::applyToOrder(double payable) {
    BasketModel& basket = main_.basket();
    std::vector<BasketLine> lines = basket.lines();
    applyOrderDiscount(lines, dis_rate);
    basket.setLines(std::move(lines));
    main_.GoodsCount();

    lines = basket.lines();
    if (lines.size() == 1)
        lines.front().set(Sub::Amount, money2(payable));
    // What is charged is the payable given here; the lines are made to add up to it.
    main_.realmoneyEdit->setText(realMoneyEdit->text());
    basket.setLines(std::move(lines));
    if (toCents(linesTotal(basket.lines())) != toCents(payable))
        main_.moneyopt();
    if (!main_.showChangeFor(payable))
        main_.receivemoneyEdit->setFocus();
}

void TdiscountForm::applyToLine(double payable) {
    BasketModel& basket = main_.basket();
    if (row_ >= basket.size())
        return;
    BasketLine line = basket.line(row_);
    applyLineDiscount(line, dis_rate, payable);
    basket.replace(row_, line);
    // No recount: the line keeps exactly what was given, and no spend-and-save comes off.
    const double total = linesTotal(basket.lines());
    main_.realmoneyEdit->setText(money2(total));
    main_.showChangeFor(total);
}

} // namespace shop::till
