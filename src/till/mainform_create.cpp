// Creating, showing, hiding and closing the till's main window.
#include "db/messages.h"
#include "db/textscramble.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "platform/shopfolder.h"
#include "platform/uiseam.h"
#include "till/dailybackup.h"
#include "till/globalhotkey.h"
#include "till/loginform.h"
#include "till/mainform.h"
#include "till/receipt/receipttemplate.h"
#include "till/settle/orderrecorder.h"
#include "till/tdm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace shop::till {

TmainForm::TmainForm(TDM& dm, TillSession& session, QWidget* parent)
    : QMainWindow(parent), dm_(dm), session_(session), basket_(new BasketModel(this)) {
    setObjectName(QStringLiteral("TmainForm"));
    setMinimumSize(945, 600);
    // The controls are built in ensureLayout(), while the login dialog is already up, so that
    // the cashier sees the login as soon as possible.
    // The window sees every key before the focused field.
    qApp->installEventFilter(this);
}

TmainForm::~TmainForm() {
    qApp->removeEventFilter(this);
    disconnect(focusWatch_);
}

void TmainForm::buildMenusAndTray() {
    mainMenu = new QMenu(this);
    const std::pair<const char16_t*, KeyAction> entries[] = {
        {u"帮助 F1", KeyAction::Help},          {u"生日提醒 F2", KeyAction::Birthdays},
        {u"商品查询 F3", KeyAction::GoodsQuery}, {u"日统计表 F4", KeyAction::DailySummary},
        {u"注销交班", KeyAction::Handover},      {u"锁屏ALT+L", KeyAction::LockScreen}};
    for (const auto& [text, action] : entries) {
        const KeyAction command = action;
        mainMenu->addAction(QString::fromUtf16(text), this, [this, command] { runAction(command); });
    }
    // The menu opens at the button, moved 120 pixels to the left.
    connect(menuBtn, &QToolButton::clicked, this, [this] {
        mainMenu->popup(menuBtn->mapToGlobal(QPoint(-120, menuBtn->height())));
    });

    listMenu = new QMenu(this);
    QAction* quantity = listMenu->addAction(QStringLiteral("修改数量"), this,
                                            [this] { runAction(KeyAction::ChangeQuantity); });
    QAction* discount = listMenu->addAction(QStringLiteral("修改折扣"), this,
                                            [this] { runAction(KeyAction::LineDiscount); });
    QAction* remove = listMenu->addAction(QStringLiteral("删除此商品"), this,
                                          [this] { runAction(KeyAction::DeleteLine); });
    connect(ListView, &QWidget::customContextMenuRequested, this, [=, this](const QPoint& at) {
        const bool selected = selectedRow() >= 0;
        quantity->setEnabled(selected);
        discount->setEnabled(selected);
        remove->setEnabled(selected);
        listMenu->popup(ListView->viewport()->mapToGlobal(at));
    });
    connect(printPreBtn, &QPushButton::clicked, this, [this] { runAction(KeyAction::PrintLast); });
    connect(printBtn, &QPushButton::clicked, this, [this] { runAction(KeyAction::Settle); });
    connect(DiscountBtn, &QPushButton::clicked, this, [this] { runAction(KeyAction::OrderDiscount); });
}

void TmainForm::ensureLayout() {
    if (centralWidget())
        return;
    buildLayout();
    buildMenusAndTray();
    connectPaymentFields();
    buildSaleFields();
}

bool TmainForm::FormCreate() {
    // 1. Settings file, placement; the sales-person field only when there is staff.
    kayuE = 0;
    settings_ = TillSettings::load(IniFile(TillSettings::filePath()));
    applyPlacement();
    const bool hasSalesStaff = dm_.connection().scalar(QStringLiteral("select count(*) from sales")).toInt() > 0;

    // 2. The folder of the member QR pictures.
    QDir().mkpath(AppPath() + QStringLiteral("qrcode"));

    // 3.-4. Shop id, then the login among the users below full back-office rights.
    names_ = ShopNames::load(dm_.connection());
    QStringList users;
    for (const SellerAccount& account : dm_.sellers(2))
        users.append(account.name);
    {
        TloginForm login(dm_, session_, users, this);
        QTimer::singleShot(100, this, &TmainForm::ensureLayout);
        login.run();
    }
    if (!session_.EverLoggedIn)
        return false;
    ensureLayout();
    readIni();
    salesEdit->setEnabled(hasSalesStaff);

    // 5. Shop names and the title.
    status1->setText(QStringLiteral("提示：请使用键盘操作"));
    setWindowTitle(names_.shopname + QStringLiteral(" [ID:") + names_.sid + u']');

    // 6. The shop's rules (a points ratio of 0 is stored as 1).
    rules_ = ShopRules::load(dm_.connection());

    // 7. Column titles and labels carry the yuan sign (the basket model and the layout do).
    // 8. The receipt template and the extra receipt text.
    receiptTemplateText = ReceiptTemplate::load(AppPath()).text();
    fujiastr = loadExtraText(AppPath());

    // 9. The start-up copy of the database.
    const QString backupText = backupStatusText(DailyBackup(dm_.connection(), rules_.backupEvery, Clock::today()));
    if (!backupText.isEmpty())
        status1->setText(backupText);

    // 10. The status timer.
    statusTimer->start();

    // 11. The cashier.
    status2->setText(QStringLiteral("收银员：") + session_.CashierName);

    // 12. The tray icon and the desktop-wide F9.
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayIcon = new QSystemTrayIcon(windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                             : windowIcon(),
                                       this);
        trayIcon->setToolTip(QStringLiteral("收银台"));
        auto* trayMenu = new QMenu(this);
        trayMenu->addAction(QStringLiteral("显示收银窗口"), this, &TmainForm::showMainWindow);
        trayMenu->addAction(QStringLiteral("退出"), this, [this] {
            canexit = true;
            close();
        });
        trayIcon->setContextMenu(trayMenu);
        connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                showMainWindow();
        });
        trayIcon->show();
    }
    hotKey_ = std::make_unique<GlobalHotKey>(Qt::Key_F9, [this] {
        if (isVisible() && !isMinimized())
            hide();
        else
            showMainWindow();
    });

    // 13. An empty sale.
    resetSaleDisplay();

    // 14. Full-screen window when the till asks for it.
    if (settings_.maxform) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());
    }

    // 15. The means label of the other payment starts empty.
    Label14->clear();

    // 16. The cloud service switches.
    readServiceSwitches();

    emit created();
    return true;
}

void TmainForm::readIni() {
    settings_ = TillSettings::load(IniFile(TillSettings::filePath()));
    cardNoEdit->setToolTip(QStringLiteral("快捷方式 ") + settings_.jifen);
    DiscountBtn->setToolTip(QStringLiteral("快捷方式 ") + settings_.dazhe);
}

void TmainForm::applyPlacement() {
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 800);
    const int width = std::max(settings_.width, minimumWidth());
    const int height = std::max(settings_.height, minimumHeight());
    const int left = settings_.left1 >= 0 ? settings_.left1 : (screen.width() - width) / 2;
    const int top = settings_.top1 >= 0 ? settings_.top1 : (screen.height() - height) / 2;
    setGeometry(left, top, width, height);
    if (settings_.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TmainForm::writePlacement() {
    IniFile ini(TillSettings::filePath());
    const bool maximized = isMaximized();
    TillSettings::savePlacement(ini, maximized, maximized ? normalGeometry() : geometry());
}

void TmainForm::readServiceSwitches() {
    db::Query q(dm_.connection());
    q.setSql(QStringLiteral("select sername,isuse from services"));
    q.open();
    for (; !q.eof(); q.next()) {
        const QString name = q.value(0).toString();
        const bool on = isYes(q.value(1));
        if (name == QStringLiteral("微信会员"))
            wxMember = on;
        else if (name == QStringLiteral("微信支付"))
            wxPay = on;
        else if (name == QStringLiteral("云备份"))
            cloudBackup = on;
    }
}

void TmainForm::resetSaleDisplay() {
    totalMoneyLbl->setText(QStringLiteral("共:￥0.00"));
    goodscountLbl->setText(QStringLiteral("0"));
    realmoneyEdit->setText(QStringLiteral("0.00"));
    SaleStage = 1;
    OrderSerial = QStringLiteral("00000000000");
    liushuiLbl->setText(QStringLiteral("小票流水号：") + OrderSerial);
    ismember = false;
    isbirthday = false;
    sales_id = -1;
}

void TmainForm::statusTimerTimer() {
    const QString text = status1->text();
    if (text.contains(QStringLiteral("完毕")) || text.contains(QStringLiteral("成功")))
        status1->setText(Clock::now().toString(QStringLiteral("MM月dd日 hh:mm")));
}

bool TmainForm::askViewPassword() {
    if (!rules_.needpsw)
        return true;
    const std::optional<QString> typed =
        ui::seam().inputText(this, QStringLiteral("请输入查看密码   "), QStringLiteral("密码：  "), QString(), true);
    if (!typed)
        return false;
    if (db::ShowStr(*typed) != rules_.viewpsw) {
        ShowNotice(QStringLiteral("密码错误！"), this);
        return false;
    }
    return true;
}

void TmainForm::showMainWindow() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TmainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
}

void TmainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() && basket_->isEmpty())
        cardNoEdit->setFocus();
    // Minimising sends the window to the tray where there is one.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && trayIcon && trayIcon->isVisible())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void TmainForm::closeEvent(QCloseEvent* event) {
    writePlacement();
    if (canexit || !settings_.showIco) {
        event->accept();
        qApp->quit();
        return;
    }
    // Hidden, not ended: the sale in progress stays. Without a tray to come back from, the
    // window is only minimised so that it can always be found again.
    event->ignore();
    if (trayIcon && trayIcon->isVisible())
        hide();
    else
        showMinimized();
}

} // namespace shop::till
