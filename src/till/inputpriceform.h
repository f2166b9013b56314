// The price window "输入价格/数量": the cashier types the price and the quantity of an item that
// is sold without a stored price. The window only takes the input; its opener reads the fields
// when it was closed with "确定".
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace shop::till {

class TinputPriceForm : public QDialog {
    Q_OBJECT
public:
    explicit TinputPriceForm(QWidget* parent = nullptr);

    QLineEdit* priceEdit;  // money: digits and one decimal point
    QLineEdit* amountEdit; // quantity, "1" to start with
    QPushButton* okBtn;    // "确定"

    void okBtnClick();
    // The price as the field shows it when the cashier is not typing in it.
    static QString priceDisplayText(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace shop::till
