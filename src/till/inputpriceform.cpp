#include "till/inputpriceform.h"

#include "db/moneytext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace shop::till {

namespace {

// Digits with at most one decimal point: a second point would make the number unreadable.
void decimalOnly(QLineEdit* edit) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), edit));
}

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TinputPriceForm::TinputPriceForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TinputPriceForm"));
    setWindowTitle(QStringLiteral("输入价格/数量"));

    priceEdit = new QLineEdit(this);
    priceEdit->setObjectName(QStringLiteral("priceEdit"));
    priceEdit->setAlignment(Qt::AlignRight);
    decimalOnly(priceEdit);
    amountEdit = new QLineEdit(QStringLiteral("1"), this);
    amountEdit->setObjectName(QStringLiteral("amountEdit"));
    amountEdit->setAlignment(Qt::AlignRight);
    decimalOnly(amountEdit);
    okBtn = new QPushButton(QStringLiteral("确定"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));
    okBtn->setAutoDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("价格:"), this), 0, 0);
    fields->addWidget(priceEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("数量:"), this), 1, 0);
    fields->addWidget(amountEdit, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    auto* root = new QVBoxLayout(this);
    root->addLayout(fields);
    root->addLayout(buttons);
    setFixedWidth(260);

    priceEdit->installEventFilter(this);
    amountEdit->installEventFilter(this);
    connect(priceEdit, &QLineEdit::editingFinished, this,
            [this] { priceEdit->setText(priceDisplayText(priceEdit->text())); });
    connect(okBtn, &QPushButton::clicked, this, &TinputPriceForm::okBtnClick);
}

QString TinputPriceForm::priceDisplayText(const QString& typed) {
    if (typed.trimmed().isEmpty())
        return {};
    const double value = db::MoneyValue(typed);
    return value == 0 ? QStringLiteral("0") : QString::number(value, 'f', 2);
}

void TinputPriceForm::okBtnClick() {
    // An item is never sold for a price nobody typed.
    if (priceEdit->text().trimmed().isEmpty()) {
        priceEdit->setFocus();
        return;
    }
    accept();
}

bool TinputPriceForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter walks from the price to the quantity and on to "确定"; it never closes the window
    // from a field.
    if (isEnter(event)) {
        if (watched == priceEdit) {
            priceEdit->setText(priceDisplayText(priceEdit->text()));
            amountEdit->setFocus();
            amountEdit->selectAll();
            return true;
        }
        if (watched == amountEdit) {
            okBtn->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TinputPriceForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    priceEdit->setFocus();
}

} // namespace shop::till
