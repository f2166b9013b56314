// The cashier login dialog "会员管理前台登录".
#pragma once

#include "till/session.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shop::till {

class TDM;

class TloginForm : public QDialog {
    Q_OBJECT
public:
    // `users`: the names to choose from, in the order shown; the first is selected.
    TloginForm(TDM& dm, TillSession& session, const QStringList& users, QWidget* parent = nullptr);

    // Shows the dialog through the seam for modal windows; true when a cashier logged in.
    bool run();

    int PassTime = 0;

    QComboBox* UserCbx;
    QLineEdit* Edit1;
    QLabel* Label3;
    QPushButton* loginBtn;
    QPushButton* cancelBtn;

    void loginBtnClick();
    void Edit1Enter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDM& dm_;
    TillSession& session_;
};

} // namespace shop::till
