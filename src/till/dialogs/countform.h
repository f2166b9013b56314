// The counted-card window ("次卡消费"): the cashier uses up visits of a counted card; the use is
// settled at once by the main window.
#pragma once

#include "till/dialogs/countedcard.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shop::till {

class TmainForm;

class TcountForm : public QDialog {
    Q_OBJECT
public:
    TcountForm(TmainForm& main, const QString& card_id);

    const QString card_id;

    QLabel* cardLbl;  // "会员卡号:"
    QLabel* nameLbl;  // "会员姓名:"
    QLabel* countLbl; // "剩余次数:"
    QLabel* spentLbl; // "消费次数:"
    QLineEdit* timesEdit;
    QPushButton* okBtn;     // "确定"
    QPushButton* cancelBtn; // "取消"

    const CountedCardInfo& card() const { return card_; }
    // The uses accepted by "确定"; 0 until then.
    qint64 uses() const { return uses_; }

    // Leaving the uses field; false when the cashier has been sent back to it.
    bool timesEditExit();
    void okBtnClick();

private:
    // Visits the card still gives: those left, less the uses already in the basket.
    qint64 available() const;

    CountedCardInfo card_;
    qint64 pendingUses_;
    qint64 uses_ = 0;
};

} // namespace shop::till
