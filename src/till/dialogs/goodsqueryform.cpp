#include "till/dialogs/goodsqueryform.h"

#include "db/messages.h"
#include "till/dialogs/fieldkeys.h"
#include "till/mainform.h"
#include "till/numtext.h"
#include "till/tdm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace shop::till {

namespace {

struct ColumnLook {
    const char16_t* title;
    int width;              // the least width; 0: the name, which takes what the others leave
    const char16_t* sample; // a value the column must show whole
};

const ColumnLook kLook[GoodsQueryModel::kColumns] = {
    {u"条码", 90, u"6921168509256"}, {u"货号", 0, u"YL0001"}, {u"名称", 100, nullptr},  {u"规格", 0, u"550ml"},
    {u"类别", 0, u"日用百货"},       {u"库存", 0, u"99999"},  {u"已卖出", 0, u"99999"}, {u"会员价", 80, u"￥999.00"},
    {u"零售价", 80, u"￥999.00"},    {u"特价", 35, u""},      {u"积分比例", 40, u""},   {u"更新", 80, u"2026-12-31"}};

QString yuan(double value) {
    return QStringLiteral("￥") + money2(value);
}

} // namespace

GoodsQueryModel::GoodsQueryModel(QObject* parent) : QAbstractTableModel(parent) {}

int GoodsQueryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int GoodsQueryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant GoodsQueryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const QueriedGoods& g = rows_[size_t(index.row())];
    const int column = index.column();
    if (role == Qt::CheckStateRole && (column == Ifdis || column == Ifaddup))
        return (column == Ifdis ? g.ifdis : g.ifaddup) ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole) {
        if (column == Amount || column == Sold || column == Price2 || column == Price)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case Price2:
        return yuan(g.price2);
    case Price:
        return yuan(g.price);
    case Ifdis:
    case Ifaddup:
        return {};
    case InDate:
        return g.inDate.left(10);
    default:
        return cellText(index);
    }
}

QVariant GoodsQueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QString::fromUtf16(kLook[section].title);
}

Qt::ItemFlags GoodsQueryModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void GoodsQueryModel::setRows(std::vector<QueriedGoods> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString GoodsQueryModel::cellText(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const QueriedGoods& g = rows_[size_t(index.row())];
    switch (index.column()) {
    case Barcode:
        return g.barcode;
    case GoodsNo:
        return g.goodsNo;
    case Name:
        return g.name;
    case Guige:
        return g.guige;
    case ClassName:
        return g.className;
    case Amount:
        return shortNumber(g.amount);
    case Sold:
        return shortNumber(g.sold);
    case Price2:
        return money2(g.price2);
    case Price:
        return money2(g.price);
    case Ifdis:
        return g.ifdis ? QStringLiteral("-1") : QStringLiteral("0");
    case Ifaddup:
        return g.ifaddup ? QStringLiteral("-1") : QStringLiteral("0");
    case InDate:
        return g.inDate;
    default:
        return {};
    }
}

TgoodsqueryForm::TgoodsqueryForm(TmainForm& main) : QDialog(&main), main_(main), model_(new GoodsQueryModel(this)) {
    setObjectName(QStringLiteral("TgoodsqueryForm"));
    setWindowTitle(QStringLiteral("商品查询"));
    setFixedSize(980, 513);

    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("商品条形码/货号/名称："), this));
    queryEdit = new QLineEdit(this);
    queryEdit->setObjectName(QStringLiteral("queryEdit"));
    top->addWidget(queryEdit, 1);
    queryBtn = new QPushButton(QStringLiteral("查询"), this);
    queryBtn->setObjectName(QStringLiteral("queryBtn"));
    queryBtn->setAutoDefault(false);
    top->addWidget(queryBtn);
    mohuChk = new QCheckBox(QStringLiteral("模糊查询"), this);
    mohuChk->setObjectName(QStringLiteral("mohuChk"));
    mohuChk->setChecked(true);
    top->addWidget(mohuChk);
    root->addLayout(top);

    tipLbl = new QLabel(this);
    tipLbl->setObjectName(QStringLiteral("tipLbl"));
    root->addWidget(tipLbl);

    goodsqeyGrid = new QTableView(this);
    goodsqeyGrid->setObjectName(QStringLiteral("goodsqeyGrid"));
    goodsqeyGrid->setModel(model_);
    goodsqeyGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    goodsqeyGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    goodsqeyGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    goodsqeyGrid->setTabKeyNavigation(false);
    goodsqeyGrid->setWordWrap(false);
    goodsqeyGrid->verticalHeader()->hide();
    goodsqeyGrid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // The selected row in the button-face colour with black text.
    goodsqeyGrid->setStyleSheet(QStringLiteral(
        "QTableView#goodsqeyGrid { selection-background-color: palette(button); selection-color: black; }"));
    QHeaderView* header = goodsqeyGrid->horizontalHeader();
    header->setHighlightSections(false);
    header->setMinimumSectionSize(30);
    // Every column shows its title and its usual values whole; the name takes the rest of the
    // width, so the columns fill the grid.
    const QFontMetrics cells = goodsqeyGrid->fontMetrics();
    const QFontMetrics titles = header->fontMetrics();
    for (int column = 0; column < GoodsQueryModel::kColumns; ++column) {
        const ColumnLook& look = kLook[column];
        if (!look.sample) {
            header->setSectionResizeMode(column, QHeaderView::Stretch);
            continue;
        }
        const int width = std::max({look.width, titles.horizontalAdvance(QString::fromUtf16(look.title)) + 18,
                                    cells.horizontalAdvance(QString::fromUtf16(look.sample)) + 14});
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        goodsqeyGrid->setColumnWidth(column, width);
    }
    root->addWidget(goodsqeyGrid, 1);

    connect(queryBtn, &QPushButton::clicked, this, &TgoodsqueryForm::queryBtnClick);
    onEnter(queryEdit, [this] { queryBtnClick(); });
    onEnter(goodsqeyGrid, [this] { goodsqeyGridTake(); });
    connect(goodsqeyGrid, &QTableView::doubleClicked, this, [this] { goodsqeyGridTake(); });
    queryEdit->setFocus();
}

void TgoodsqueryForm::queryBtnClick() {
    const QString typed = queryEdit->text();
    if (typed.trimmed().isEmpty())
        return;
    std::vector<QueriedGoods> rows;
    try {
        rows = queryGoods(main_.dm().goodsQuery, typed, mohuChk->isChecked());
    } catch (const db::DbError& e) {
        ShowError(e.message(), this);
        return;
    }
    const int found = int(rows.size());
    model_->setRows(std::move(rows));
    tipLbl->setText(QString::number(found) + QStringLiteral("项结果符合查询要求"));
    if (found > 0)
        goodsqeyGrid->setCurrentIndex(model_->index(0, GoodsQueryModel::Barcode));
    goodsqeyGrid->setFocus();
}

void TgoodsqueryForm::goodsqeyGridTake() {
    const QModelIndex current = goodsqeyGrid->currentIndex();
    if (!current.isValid())
        return;
    main_.takeQueriedCode(model_->cellText(current));
    accept();
}

} // namespace shop::till
