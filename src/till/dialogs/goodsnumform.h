// The quantity window ("商品数量"): a new quantity for the selected basket line.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace shop::till {

class TmainForm;

class TgoodsNumForm : public QDialog {
    Q_OBJECT
public:
    // `row` is the selected basket line.
    TgoodsNumForm(TmainForm& main, int row);

    QLabel* goodsinfoLbl;
    QLineEdit* goodNumEdit;
    QPushButton* okBtn; // "确认"

    void okBtnClick();

private:
    TmainForm& main_;
    int row_;
};

} // namespace shop::till
