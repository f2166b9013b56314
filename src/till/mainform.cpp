// Layout of the till's main window.
#include "till/mainform.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace shop::till {

namespace {

// The member panel's values are shown, never typed: a label drawn like a read-only field, which
// is far lighter to fill than an edit when a member is attached.
QLabel* readOnlyField(QWidget* parent, const char* name, int width) {
    auto* field = new QLabel(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setProperty("field", true);
    field->setMinimumWidth(width);
    field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    field->setTextInteractionFlags(Qt::NoTextInteraction);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QLineEdit* moneyField(QWidget* parent, const char* name, const QString& hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setToolTip(hint);
    edit->setPlaceholderText(hint);
    edit->setMinimumWidth(150);
    edit->setProperty("money", true);
    return edit;
}

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

void TmainForm::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mainPanel"));
    setCentralWidget(central);
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(8, 6, 8, 4);
    root->setSpacing(6);

    // The member panel.
    auto* memberPanel = new QFrame(central);
    memberPanel->setObjectName(QStringLiteral("memberPanel"));
    memberPanel->setFrameShape(QFrame::StyledPanel);
    auto* member = new QGridLayout(memberPanel);
    member->setContentsMargins(8, 6, 8, 6);
    member->setHorizontalSpacing(6);
    member->setVerticalSpacing(4);
    cardNoEdit = new QLineEdit(memberPanel);
    cardNoEdit->setObjectName(QStringLiteral("cardNoEdit"));
    cardNoEdit->setMinimumWidth(170);
    const int fieldHeight = cardNoEdit->sizeHint().height();
    mnameEdit = readOnlyField(memberPanel, "mnameEdit", 110);
    addupEdit = readOnlyField(memberPanel, "addupEdit", 100);
    cardtypeEdit = readOnlyField(memberPanel, "cardtypeEdit", 90);
    yuEEdit = readOnlyField(memberPanel, "yuEEdit", 110);
    mtypeEdit = readOnlyField(memberPanel, "mtypeEdit", 100);
    disRateEdit = readOnlyField(memberPanel, "disRateEdit", 90);
    for (QLabel* field : {mnameEdit, addupEdit, cardtypeEdit, yuEEdit, mtypeEdit, disRateEdit})
        field->setFixedHeight(fieldHeight);
    auto* cardLabel = caption(memberPanel, QStringLiteral("会员卡:"));
    cardLabel->setObjectName(QStringLiteral("cardLbl"));
    member->addWidget(cardLabel, 0, 0);
    member->addWidget(cardNoEdit, 0, 1);
    member->addWidget(caption(memberPanel, QStringLiteral("姓名:")), 0, 2);
    member->addWidget(mnameEdit, 0, 3);
    member->addWidget(caption(memberPanel, QStringLiteral("积分:")), 0, 4);
    member->addWidget(addupEdit, 0, 5);
    member->addWidget(caption(memberPanel, QStringLiteral("卡类型:")), 0, 6);
    member->addWidget(cardtypeEdit, 0, 7);
    member->addWidget(caption(memberPanel, QStringLiteral("余额:")), 1, 2);
    member->addWidget(yuEEdit, 1, 3);
    member->addWidget(caption(memberPanel, QStringLiteral("卡级别:")), 1, 4);
    member->addWidget(mtypeEdit, 1, 5);
    member->addWidget(caption(memberPanel, QStringLiteral("折扣:")), 1, 6);
    member->addWidget(disRateEdit, 1, 7);
    menuBtn = new QToolButton(memberPanel);
    menuBtn->setObjectName(QStringLiteral("menuBtn"));
    menuBtn->setText(QStringLiteral("菜单"));
    menuBtn->setToolTip(QStringLiteral("帮助、生日提醒、商品查询、日统计表、注销交班、锁屏"));
    menuBtn->setFocusPolicy(Qt::NoFocus);
    member->addWidget(menuBtn, 1, 0, 1, 2, Qt::AlignLeft);
    for (int column : {1, 3, 5, 7})
        member->setColumnStretch(column, 1);
    root->addWidget(memberPanel);

    // The input row.
    auto* input = new QHBoxLayout;
    input->addWidget(caption(central, QStringLiteral("条形码:")));
    barcodeinputEdit = new QLineEdit(central);
    barcodeinputEdit->setObjectName(QStringLiteral("barcodeinputEdit"));
    barcodeinputEdit->setToolTip(QStringLiteral("可输入商品条码或货号"));
    barcodeinputEdit->setPlaceholderText(QStringLiteral("可输入商品条码或货号"));
    barcodeinputEdit->setMinimumWidth(320);
    input->addWidget(barcodeinputEdit, 1);
    input->addSpacing(20);
    liushuiLbl = new QLabel(central);
    liushuiLbl->setObjectName(QStringLiteral("liushuiLbl"));
    input->addWidget(liushuiLbl);
    root->addLayout(input);

    // The basket.
    ListView = new QTableView(central);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(basket_);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setShowGrid(true);
    ListView->setSortingEnabled(false);
    ListView->setWordWrap(false);
    ListView->setTabKeyNavigation(false);
    ListView->verticalHeader()->hide();
    ListView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    ListView->setToolTip(QStringLiteral("选择商品请用 ↑↓键\r\n删除商品请用 Del 键\r\n单品打折请用 / 键  "));
    ListView->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = ListView->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    const int widths[] = {150, 244, 110, 110, 60, 70, 110};
    for (int i = 0; i < BasketModel::kVisibleColumns; ++i)
        ListView->setColumnWidth(i, widths[i]);
    header->setMinimumSectionSize(60);
    root->addWidget(ListView, 1);

    // Totals at the left, payment at the right.
    auto* lower = new QHBoxLayout;
    lower->setSpacing(12);
    auto* totals = new QFrame(central);
    totals->setObjectName(QStringLiteral("totalsPanel"));
    totals->setFrameShape(QFrame::StyledPanel);
    auto* totalsLayout = new QGridLayout(totals);
    totalMoneyLbl = new QLabel(QStringLiteral("共:￥0.00"), totals);
    totalMoneyLbl->setObjectName(QStringLiteral("totalMoneyLbl"));
    totalMoneyEdit = new QLineEdit(totals);
    totalMoneyEdit->setObjectName(QStringLiteral("totalMoneyEdit"));
    totalMoneyEdit->setVisible(false);
    goodscountLbl = new QLabel(QStringLiteral("0"), totals);
    goodscountLbl->setObjectName(QStringLiteral("goodscountLbl"));
    salesEdit = new QLineEdit(totals);
    salesEdit->setObjectName(QStringLiteral("salesEdit"));
    salesEdit->setToolTip(QStringLiteral("请输入销售人员代码"));
    salesEdit->setPlaceholderText(QStringLiteral("请输入销售人员代码"));
    salesEdit->setMinimumWidth(170);
    salesLbl = new QLabel(QStringLiteral("N/A"), totals);
    salesLbl->setObjectName(QStringLiteral("salesLbl"));
    totalsLayout->addWidget(totalMoneyLbl, 0, 0, 1, 3);
    totalsLayout->addWidget(new QLabel(QStringLiteral("商品数量："), totals), 1, 0);
    totalsLayout->addWidget(goodscountLbl, 1, 1, 1, 2);
    totalsLayout->addWidget(new QLabel(QStringLiteral("销售导购:"), totals), 2, 0);
    totalsLayout->addWidget(salesEdit, 2, 1);
    totalsLayout->addWidget(salesLbl, 2, 2);
    totalsLayout->setColumnStretch(2, 1);
    totalsLayout->setRowStretch(3, 1);
    lower->addWidget(totals, 1);

    auto* payment = new QGridLayout;
    payment->setHorizontalSpacing(6);
    payment->setVerticalSpacing(4);
    realmoneyEdit = moneyField(central, "realmoneyEdit", QString());
    realmoneyEdit->setReadOnly(true);
    DiscountBtn = new QPushButton(QStringLiteral("打折"), central);
    DiscountBtn->setObjectName(QStringLiteral("DiscountBtn"));
    DiscountBtn->setFocusPolicy(Qt::NoFocus);
    receivemoneyEdit = moneyField(central, "receivemoneyEdit", QStringLiteral("现金收款"));
    kafuEdit = moneyField(central, "kafuEdit", QStringLiteral("充值卡付款"));
    kafuEdit->setEnabled(false);
    yinlianEdit = moneyField(central, "yinlianEdit", QStringLiteral("刷卡付款"));
    Label14 = new QLabel(central);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->setMinimumWidth(60);
    changeMoneyEdit = moneyField(central, "changeMoneyEdit", QString());
    changeMoneyEdit->setReadOnly(true);
    changeMoneyEdit->setFocusPolicy(Qt::NoFocus);
    // Each money field has the yuan sign as its side label.
    const std::tuple<const char16_t*, QLineEdit*, QWidget*> rows[] = {
        {u"实收：", realmoneyEdit, DiscountBtn},
        {u"交来：", receivemoneyEdit, nullptr},
        {u"卡付", kafuEdit, nullptr},
        {u"其他", yinlianEdit, Label14},
        {u"找零：", changeMoneyEdit, nullptr}};
    int row = 0;
    for (const auto& [text, field, extra] : rows) {
        payment->addWidget(caption(central, QString::fromUtf16(text)), row, 0);
        auto* sign = new QLabel(QStringLiteral("￥"), central);
        sign->setObjectName(QStringLiteral("yuanSign"));
        payment->addWidget(sign, row, 1);
        payment->addWidget(field, row, 2);
        if (extra)
            payment->addWidget(extra, row, 3);
        ++row;
    }
    payment->setColumnMinimumWidth(3, 70);
    lower->addLayout(payment);

    auto* buttons = new QVBoxLayout;
    printBtn = new QPushButton(QStringLiteral("结算打印"), central);
    printBtn->setObjectName(QStringLiteral("printBtn"));
    printBtn->setEnabled(false);
    printBtn->setFocusPolicy(Qt::NoFocus);
    printBtn->setMinimumSize(120, 56);
    printPreBtn = new QPushButton(QStringLiteral("打印上一单"), central);
    printPreBtn->setObjectName(QStringLiteral("printPreBtn"));
    printPreBtn->setFocusPolicy(Qt::NoFocus);
    printPreBtn->setMinimumWidth(120);
    buttons->addWidget(printBtn);
    buttons->addSpacing(8);
    buttons->addWidget(printPreBtn);
    buttons->addStretch();
    lower->addLayout(buttons);
    root->addLayout(lower);

    // The tool bar and the status panels.
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::BottomToolBarArea, toolBar);
    const std::pair<const char16_t*, KeyAction> tools[] = {
        {u"快捷键F1", KeyAction::Help},        {u"查询", KeyAction::GoodsQuery}, {u"统计", KeyAction::DailySummary},
        {u"退货", KeyAction::Returns},         {u"钱箱", KeyAction::CashBox},    {u"交班", KeyAction::Handover},
        {u"设置", KeyAction::Settings}};
    for (const auto& [text, action] : tools) {
        QAction* tool = toolBar->addAction(QString::fromUtf16(text));
        tool->setObjectName(QString::fromUtf16(text));
        const KeyAction command = action;
        connect(tool, &QAction::triggered, this, [this, command] { runAction(command); });
    }
    for (QToolButton* button : toolBar->findChildren<QToolButton*>())
        button->setFocusPolicy(Qt::NoFocus);

    status1 = new QLabel(this);
    status1->setObjectName(QStringLiteral("status1"));
    status2 = new QLabel(this);
    status2->setObjectName(QStringLiteral("status2"));
    status3 = new QLabel(QStringLiteral("销售:"), this);
    status3->setObjectName(QStringLiteral("status3"));
    dxBtn = new QToolButton(this);
    dxBtn->setObjectName(QStringLiteral("dxBtn"));
    dxBtn->setText(QStringLiteral("短信"));
    dxBtn->setToolTip(QStringLiteral("短信功能未启动"));
    dxBtn->setFocusPolicy(Qt::NoFocus);
    dxBtn->setAutoRaise(true);
    statusBar()->addWidget(status1, 3);
    statusBar()->addWidget(status2, 1);
    statusBar()->addWidget(status3, 1);
    statusBar()->addPermanentWidget(dxBtn);
    statusBar()->setSizeGripEnabled(true);

    statusTimer = new QTimer(this);
    statusTimer->setInterval(6000);
    connect(statusTimer, &QTimer::timeout, this, &TmainForm::statusTimerTimer);

    setTabOrder(cardNoEdit, barcodeinputEdit);
    setTabOrder(barcodeinputEdit, salesEdit);
    setTabOrder(salesEdit, receivemoneyEdit);
    setTabOrder(receivemoneyEdit, kafuEdit);
    setTabOrder(kafuEdit, yinlianEdit);
}

} // namespace shop::till
