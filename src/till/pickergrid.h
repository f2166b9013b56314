// A small grid over the basket that offers several matches to choose from: goods found for a
// code, members found for a name. Enter or a double click takes the current row; Escape, or
// leaving the grid for another field of the window, puts it away and forgets its rows.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

#include <vector>

namespace shop::till {

struct PickColumn {
    QString title;
    int width = 80;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// One offered match: what identifies it (goods id, card number) and the texts of its columns.
struct PickRow {
    QString key;
    QStringList texts;
};

class PickModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PickModel(std::vector<PickColumn> columns, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setRows(std::vector<PickRow> rows);
    const std::vector<PickRow>& rows() const { return rows_; }
    const std::vector<PickColumn>& columns() const { return columns_; }

private:
    std::vector<PickColumn> columns_;
    std::vector<PickRow> rows_;
};

class PickerGrid : public QTableView {
    Q_OBJECT
public:
    // `selectedRowColour`: the background of the current row, drawn with black text.
    PickerGrid(const QString& objectName, std::vector<PickColumn> columns, bool titles,
               const QString& selectedRowColour, QWidget* parent);

    // Shows `rows` over `area` (in the parent's coordinates), on the first row, and focuses it.
    void offer(std::vector<PickRow> rows, const QRect& area);
    // Hides the grid and forgets its rows.
    void putAway();

    const std::vector<PickRow>& rows() const { return model_->rows(); }
    // The key of the current row, empty when there is none.
    QString currentKey() const;

signals:
    void chosen(const QString& key);
    void escaped();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    PickModel* model_;
};

} // namespace shop::till
