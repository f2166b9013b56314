// The sales staff window ("销售人员"): the shop assistant credited with the sale, by staff code
// or name.
#pragma once

#include "till/member/saleslookup.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace shop::till {

class TmainForm;

class TsalesForm : public QDialog {
    Q_OBJECT
public:
    explicit TsalesForm(TmainForm& main);

    QComboBox* nameCbx;
    QLabel* Label2;
    QPushButton* okBtn; // "确认"

    // A sales person has been found (and not lost again to an unknown code since).
    bool query = false;
    // Who was found; meaningful while `query` is true.
    const SalesPerson& found() const { return found_; }

    // Enter in the drop-down.
    void nameCbxEnter();

private:
    SalesLookup lookup_;
    SalesPerson found_;
};

} // namespace shop::till
