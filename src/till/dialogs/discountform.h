// The discount window ("折扣[整单]" for the whole order, "折扣[单品]" for the selected line): the
// cashier gives the rate, the amount taken off or the payable amount, and each fills the others.
#pragma once

#include "till/dialogs/discountcalc.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shop::till {

class TmainForm;

class TdiscountForm : public QDialog {
    Q_OBJECT
public:
    // `row` is the selected line for a single-line discount, -1 for the whole order.
    TdiscountForm(TmainForm& main, const DiscountTerms& terms, int row = -1);

    QLineEdit* discountEdit;  // the rate, two digits
    QLineEdit* disEdit2;      // the amount taken off
    QLineEdit* realMoneyEdit; // the payable amount
    QLabel* infoLbl;
    QPushButton* okBtn; // "确认"

    // The rate in force; 0 when the window opens.
    double dis_rate = 0;
    const DiscountTerms& terms() const { return calc_.terms(); }

    // A key released in the rate field.
    void discountEditKeyUp();
    // Any change of the amount-off field.
    void disEdit2Change();
    // Leaving the amount-off or the payable field: the payable is checked and the rate follows
    // it. False when it was refused (the cashier has been told). At "确认" (`confirming`) it is
    // checked again: it must be readable and within the order's amounts; the shop's lowest
    // rate was held to when the field was left, and the rate "0" is exempt from it.
    bool realMoneyEditExit(bool confirming = false);
    void okBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuseKeepingText(PayableCheck::Outcome outcome);
    void applyToOrder(double payable);
    void applyToLine(double payable);

    TmainForm& main_;
    DiscountCalc calc_;
    int row_;
};

} // namespace shop::till
