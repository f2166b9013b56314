#include "till/pickergrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace shop::till {

PickModel::PickModel(std::vector<PickColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int PickModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PickModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant PickModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return rows_[size_t(index.row())].texts.value(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(columns_[size_t(index.column())].alignment);
    return {};
}

QVariant PickModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < int(columns_.size()))
        return columns_[size_t(section)].title;
    return {};
}

void PickModel::setRows(std::vector<PickRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

PickerGrid::PickerGrid(const QString& objectName, std::vector<PickColumn> columns, bool titles,
                       const QString& selectedRowColour, QWidget* parent)
    : QTableView(parent), model_(new PickModel(std::move(columns), this)) {
    setObjectName(objectName);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8); // as the basket's lines
    horizontalHeader()->setVisible(titles);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    for (int i = 0; i < int(model_->columns().size()); ++i)
        setColumnWidth(i, model_->columns()[size_t(i)].width);
    setStyleSheet(QStringLiteral("QTableView#%1 { selection-background-color: %2; selection-color: black; }")
                      .arg(objectName, selectedRowColour));
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid())
            return;
        // A copy: taking the row may put the grid away and its rows with it.
        const QString key = model_->rows().at(size_t(index.row())).key;
        emit chosen(key);
    });
    hide();
}

void PickerGrid::offer(std::vector<PickRow> rows, const QRect& area) {
    model_->setRows(std::move(rows));
    // Each column is at least as wide as designed, and as wide as its texts need in the till's
    // font (a 13-digit barcode does not fit 90 pixels at 16).
    const QFontMetrics metrics(font());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 10;
    int width = 2 * frameWidth();
    for (int i = 0; i < int(model_->columns().size()); ++i) {
        int columnWidth = model_->columns()[size_t(i)].width;
        const size_t measured = std::min<size_t>(model_->rows().size(), 200);
        for (size_t row = 0; row < measured; ++row)
            columnWidth =
                std::max(columnWidth, metrics.horizontalAdvance(model_->rows()[row].texts.value(i)) + padding);
        setColumnWidth(i, std::min(columnWidth, 320));
        width += columnWidth;
    }
    // As tall as its rows, within the basket.
    int height = 2 * frameWidth() + model_->rowCount() * verticalHeader()->defaultSectionSize() + 2;
    if (!horizontalHeader()->isHidden())
        height += horizontalHeader()->sizeHint().height();
    if (height > area.height()) // room for the scroll bar
        width += verticalScrollBar()->sizeHint().width();
    setGeometry(area.x(), area.y(), std::min(width, area.width()), std::min(height, area.height()));
    raise();
    show();
    if (model_->rowCount() > 0)
        selectRow(0);
    setFocus(Qt::OtherFocusReason);
}

void PickerGrid::putAway() {
    hide();
    model_->setRows({});
}

QString PickerGrid::currentKey() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() >= int(model_->rows().size()))
        return {};
    return model_->rows()[size_t(current.row())].key;
}

void PickerGrid::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const QString key = currentKey();
        if (!key.isEmpty())
            emit chosen(key);
        return;
    }
    case Qt::Key_Escape:
        emit escaped();
        return;
    default:
        QTableView::keyPressEvent(event);
        // Keys the grid has no use for stop here: they are not meant for the basket below it.
        event->accept();
    }
}

void PickerGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // Another window coming up (a message, the price window) is not leaving the grid.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason && isVisible())
        putAway();
}

} // namespace shop::till
