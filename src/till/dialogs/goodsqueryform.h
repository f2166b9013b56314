// The goods query window ("商品查询"): the cashier finds an item by barcode, article number or
// name and hands it to the main window's barcode field, which rings it up.
#pragma once

#include "till/dialogs/goodsquery.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace shop::till {

class TmainForm;

// The rows found, as the grid shows them.
class GoodsQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Barcode, GoodsNo, Name, Guige, ClassName, Amount, Sold, Price2, Price, Ifdis, Ifaddup, InDate };
    static constexpr int kColumns = 12;

    explicit GoodsQueryModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setRows(std::vector<QueriedGoods> rows);
    // The cell's value as text, as it goes into the barcode field.
    QString cellText(const QModelIndex& index) const;

private:
    std::vector<QueriedGoods> rows_;
};

class TgoodsqueryForm : public QDialog {
    Q_OBJECT
public:
    explicit TgoodsqueryForm(TmainForm& main);

    QLineEdit* queryEdit;
    QPushButton* queryBtn;
    QCheckBox* mohuChk; // "模糊查询"
    QLabel* tipLbl;
    QTableView* goodsqeyGrid;

    // "查询", or Enter in the query field.
    void queryBtnClick();
    // Enter or a double click in the grid: the current cell goes to the barcode field.
    void goodsqeyGridTake();

    const GoodsQueryModel& model() const { return *model_; }

private:
    TmainForm& main_;
    GoodsQueryModel* model_;
};

} // namespace shop::till
