#include "till/basket/basketmodel.h"

#include <QBrush>
#include <QColor>

namespace shop::till {

namespace {
// Teal, the colour of a special-price line.
const QColor kSpecialText(0, 128, 128);
} // namespace

BasketModel::BasketModel(QObject* parent) : QAbstractTableModel(parent) {}

int BasketModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size());
}

int BasketModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kVisibleColumns;
}

QVariant BasketModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(lines_.size()))
        return {};
    const BasketLine& line = lines_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? line.caption : line.subs[size_t(index.column() - 1)];
    case Qt::ForegroundRole:
        if (line.mark == LineMark::Special)
            return QBrush(kSpecialText);
        return {};
    case Qt::TextAlignmentRole:
        switch (index.column()) {
        case 2:
        case 3:
        case 6:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case 4:
        case 5:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    default:
        return {};
    }
}

QVariant BasketModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section >= 2 && section <= 6 && section != 4 && section != 5 ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                                             : int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case 0:
        return QStringLiteral(" 条码");
    case 1:
        return QStringLiteral(" 品名");
    case 2:
        return memberHeadings_ ? QStringLiteral("单价￥") : QStringLiteral("*单价￥");
    case 3:
        return memberHeadings_ ? QStringLiteral("*特价￥") : QStringLiteral("特价￥");
    case 4:
        return QStringLiteral("折扣%");
    case 5:
        return QStringLiteral("数量");
    case 6:
        return QStringLiteral("金额￥");
    default:
        return {};
    }
}

int BasketModel::append(const BasketLine& line) {
    const int row = int(lines_.size());
    beginInsertRows({}, row, row);
    lines_.push_back(line);
    endInsertRows();
    return row;
}

void BasketModel::replace(int row, const BasketLine& line) {
    lines_.at(size_t(row)) = line;
    emit dataChanged(index(row, 0), index(row, kVisibleColumns - 1));
}

void BasketModel::remove(int row) {
    beginRemoveRows({}, row, row);
    lines_.erase(lines_.begin() + row);
    endRemoveRows();
}

void BasketModel::clear() {
    beginResetModel();
    lines_.clear();
    endResetModel();
}

void BasketModel::setLines(std::vector<BasketLine> lines) {
    if (lines.size() == lines_.size()) {
        lines_ = std::move(lines);
        if (!lines_.empty())
            emit dataChanged(index(0, 0), index(int(lines_.size()) - 1, kVisibleColumns - 1));
        return;
    }
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

int BasketModel::findGoods(const QString& goodsId) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].sub(Sub::GoodsId) == goodsId)
            return int(i);
    return -1;
}

void BasketModel::setMemberHeadings(bool member) {
    if (member == memberHeadings_)
        return;
    memberHeadings_ = member;
    emit headerDataChanged(Qt::Horizontal, 2, 3);
}

} // namespace shop::till
