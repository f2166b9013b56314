// The basket as the list shows it: seven visible columns over the lines, the column headings
// that change with an attached member, teal text for special-price lines.
#pragma once

#include "till/basket/basketline.h"

#include <QAbstractTableModel>

#include <vector>

namespace shop::till {

class BasketModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Visible columns: caption (barcode), then sub-values 0 to 5.
    static constexpr int kVisibleColumns = 7;

    explicit BasketModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const std::vector<BasketLine>& lines() const { return lines_; }
    const BasketLine& line(int row) const { return lines_.at(size_t(row)); }
    bool isEmpty() const { return lines_.empty(); }
    int size() const { return int(lines_.size()); }

    int append(const BasketLine& line);
    void replace(int row, const BasketLine& line);
    void remove(int row);
    void clear();
    // Replaces every line at once (the recount writes back what it priced).
    void setLines(std::vector<BasketLine> lines);
    // Changes the lines where they are, without adding or removing any (the recount prices them
    // in place), and tells the list.
    template <typename Edit> void editLines(Edit edit) {
        edit(lines_);
        if (!lines_.empty())
            emit dataChanged(index(0, 0), index(int(lines_.size()) - 1, kVisibleColumns - 1));
    }
    // The row whose goods id (sub-value 11) is `goodsId`, or -1.
    int findGoods(const QString& goodsId) const;

    // "*单价"/"特价" without a member, "单价"/"*特价" with one; both end with the currency sign.
    void setMemberHeadings(bool member);
    bool memberHeadings() const { return memberHeadings_; }

private:
    std::vector<BasketLine> lines_;
    bool memberHeadings_ = false;
};

} // namespace shop::till
