#include "till/loginform.h"

#include "db/messages.h"
#include "db/shopsetup.h"
#include "db/textscramble.h"
#include "platform/uiseam.h"
#include "till/tdm.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace shop::till {

TloginForm::TloginForm(TDM& dm, TillSession& session, const QStringList& users, QWidget* parent)
    : QDialog(parent), dm_(dm), session_(session) {
    setWindowTitle(QStringLiteral("会员管理前台登录"));
    setObjectName(QStringLiteral("TloginForm"));

    auto* picture = new QLabel(this);
    picture->setFixedSize(64, 64);
    picture->setPixmap(QPixmap(QStringLiteral(":/till/login.png")).scaled(64, 64, Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation));
    if (picture->pixmap().isNull())
        picture->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(64, 64));

    UserCbx = new QComboBox(this);
    UserCbx->setEditable(false);
    UserCbx->addItems(users);
    if (!users.isEmpty())
        UserCbx->setCurrentIndex(0);
    Edit1 = new QLineEdit(this);
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->installEventFilter(this);
    Label3 = new QLabel(this);
    Label3->setMinimumHeight(fontMetrics().height());

    loginBtn = new QPushButton(QStringLiteral("登录"), this);
    loginBtn->setDefault(true);
    loginBtn->setAutoDefault(true);
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    cancelBtn->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("收银员:"), this), 0, 0);
    fields->addWidget(UserCbx, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("密  码:"), this), 1, 0);
    fields->addWidget(Edit1, 1, 1);
    fields->addWidget(Label3, 2, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(loginBtn);
    buttons->addWidget(cancelBtn);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(loginBtn, &QPushButton::clicked, this, &TloginForm::loginBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    resize(std::max(369, sizeHint().width()), std::max(108, sizeHint().height()));
    setFixedSize(size());
    Edit1->setFocus();
}

bool TloginForm::run() {
    if (parentWidget()) // centred on the window that opens it
        move(parentWidget()->geometry().center() - rect().center());
    Edit1->setFocus();
    ui::execModal(*this);
    return result() == QDialog::Accepted && session_.LoginPassed;
}

bool TloginForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::FocusIn)
        Edit1Enter();
    return QDialog::eventFilter(watched, event);
}

void TloginForm::Edit1Enter() {
    // A shop with fewer than four sales is still new: name the delivered cashier password.
    const int sales = dm_.connection()
                          .scalar(QStringLiteral("select count(*) from (select order_id from orderlist limit 5)"))
                          .toInt();
    if (sales < 4) {
        Label3->setStyleSheet(QStringLiteral("color: blue;"));
        Label3->setText(QStringLiteral("系统初始密码:") + QString::fromUtf16(db::kInitialCashierPassword));
    }
}

void TloginForm::loginBtnClick() {
    if (UserCbx->count() == 0) {
        ShowNotice(QStringLiteral("系统不存在收银员帐号，请进入后台管理添加。"), this);
        return;
    }
    ++PassTime;
    const QString name = UserCbx->currentText();
    const QString stored = dm_.storedPassword(name);
    if (db::ShowStr(Edit1->text()) != stored) {
        Label3->setStyleSheet(QStringLiteral("color: red;"));
        Label3->setText(QStringLiteral("密码错误第%1次，请重新输入").arg(PassTime));
        if (PassTime < 3) {
            Edit1->clear();
            Edit1->setFocus();
        } else {
            reject();
        }
        return;
    }
    session_.EverLoggedIn = true;
    session_.LoginPassed = true;
    session_.CashierName = name;
    accept();
}

} // namespace shop::till
