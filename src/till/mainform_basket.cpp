// The barcode field, the basket list and the goods picker of the till's main window.
#include "db/messages.h"
#include "db/moneytext.h"
#include "platform/uiseam.h"
#include "till/basket/moneyopt.h"
#include "till/inputpriceform.h"
#include "till/mainform.h"
#include "till/numtext.h"
#include "till/pickergrid.h"
#include "till/tdm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace shop::till {

namespace {

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

void TmainForm::buildSaleFields() {
    QWidget* area = ListView->parentWidget();
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    // The current row of the goods picker is a light sky blue, of the member picker the button face.
    listGrid = new PickerGrid(QStringLiteral("listGrid"), {{QString(), 90}, {QString(), 160}, {QString(), 80, right}},
                              false, QStringLiteral("#33CCFF"), area);
    memberGrid =
        new PickerGrid(QStringLiteral("memberGrid"), {{QStringLiteral("姓名"), 95}, {QStringLiteral("电话"), 130}},
                       true, QStringLiteral("palette(button)"), area);
    connect(listGrid, &PickerGrid::chosen, this, &TmainForm::pickGoods);
    connect(listGrid, &PickerGrid::escaped, this, [this] { barcodeinputEdit->setFocus(); });
    connect(memberGrid, &PickerGrid::chosen, this, &TmainForm::pickMember);
    connect(memberGrid, &PickerGrid::escaped, this, [this] { cardNoEdit->setFocus(); });

    connect(ListView, &QAbstractItemView::doubleClicked, this, [this] {
        if (selectedRow() >= 0)
            runAction(KeyAction::ChangeQuantity);
    });
    connect(cardNoEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            detachMember();
    });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &TmainForm::focusMoved);
}

TmainForm::FieldKey TmainForm::saleFieldKey(QWidget* widget, QKeyEvent* event) {
    if (widget == listGrid || widget == memberGrid) {
        // A picker takes its own keys; the function keys still start their commands.
        const bool functionKey = event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35;
        return functionKey ? FieldKey::Map : FieldKey::Field;
    }
    if (widget == barcodeinputEdit) {
        if (isEnter(event)) {
            barcodeinputEditEnter();
            return FieldKey::Done;
        }
        // A blank before any code is dropped.
        if (event->key() == Qt::Key_Space && barcodeinputEdit->text().trimmed().isEmpty())
            return FieldKey::Done;
        return FieldKey::Map;
    }
    if (widget == ListView && isEnter(event)) {
        receivemoneyEdit->setFocus();
        return FieldKey::Done;
    }
    return memberFieldKey(widget, event);
}

void TmainForm::focusMoved(QWidget* old, QWidget* now) {
    // Only a move between this window's own fields leaves a field; a message box or another
    // window coming up does not.
    if (!old || !now || old->window() != this || now->window() != this)
        return;
    if (old == barcodeinputEdit && !basket_->isEmpty())
        SaleStage = 2;
    memberFocusMoved(old, now);
}

void TmainForm::showingEngineErrors(const std::function<void()>& work) {
    try {
        work();
    } catch (const db::DbError& error) {
        ShowError(error.message(), this);
    }
}

GoodsLookup& TmainForm::goodsLookup() {
    if (!goodsLookup_)
        goodsLookup_ = std::make_unique<GoodsLookup>(dm_.connection());
    return *goodsLookup_;
}

void TmainForm::barcodeinputEditEnter() {
    const QString code = barcodeinputEdit->text().trimmed();
    if (code.isEmpty()) {
        if (basket_->isEmpty())
            return;
        SaleStage = 2;
        if (!settings_.onlyhotkey && salesEdit->isEnabled())
            salesEdit->setFocus();
        else
            receivemoneyEdit->setFocus();
        return;
    }
    SaleStage = 1;
    changeMoneyEdit->clear();
    showingEngineErrors([&] {
        std::vector<GoodsRow> rows;
        std::optional<ItemPrices> prices;
        bool exact = true;
        {
            // Everything a scan reads, read at once.
            db::ReadTransaction read(dm_.connection());
            rows = goodsLookup().FindGoodsExact(code);
            if (rows.size() == 1)
                prices = goodsAdder().pricesForNewLine(rows.front());
            if (rows.empty() && settings_.mohu) {
                exact = false;
                rows = goodsLookup().FindGoodsFuzzy(code);
            }
        }
        if (exact && rows.size() == 1) {
            addToBasket(rows.front(), prices);
            return;
        }
        if (!exact || rows.empty())
            barcodeinputEdit->clear();
        // Nothing found is said also after the partial search: a scan that rang nothing up must
        // not look like one that did.
        if (rows.empty())
            ShowNotice(QStringLiteral("未找到此编号的商品"), this);
        else
            offerGoods(rows);
    });
}

void TmainForm::offerGoods(const std::vector<GoodsRow>& rows) {
    std::vector<PickRow> offered;
    offered.reserve(rows.size());
    for (const GoodsRow& goods : rows)
        offered.push_back(
            {QString::number(goods.goodsId), {goods.barcode, goods.name, QStringLiteral("￥") + money2(goods.price)}});
    listGrid->offer(std::move(offered), ListView->geometry());
}

void TmainForm::pickGoods(const QString& goodsId) {
    showingEngineErrors([&] {
        std::optional<GoodsRow> goods;
        std::optional<ItemPrices> prices;
        {
            db::ReadTransaction read(dm_.connection());
            goods = goodsLookup().goodsById(goodsId.toLongLong());
            if (goods)
                prices = goodsAdder().pricesForNewLine(*goods);
        }
        if (goods)
            addToBasket(*goods, prices);
        else // hidden or removed in the back office since it was offered
            ShowNotice(QStringLiteral("未找到此编号的商品"), this);
    });
}

SaleTerms TmainForm::saleTerms() const {
    SaleTerms terms;
    terms.member = ismember;
    terms.memberDiscount = int(readNumber(disRateEdit->text(), 100));
    terms.rules = rules_;
    terms.rounding = RoundingOptions::from(settings_);
    return terms;
}

std::optional<TypedPriceQuantity> TmainForm::askPriceAndQuantity() {
    TinputPriceForm form(this);
    form.move(pos() + QPoint(150, 90));
    if (ui::execModal(form) != QDialog::Accepted)
        return std::nullopt;
    return TypedPriceQuantity{form.priceEdit->text(), form.amountEdit->text()};
}

GoodsAdder& TmainForm::goodsAdder() {
    if (!goodsAdder_)
        goodsAdder_ = std::make_unique<GoodsAdder>(goodsLookup(), *basket_, [this] { return askPriceAndQuantity(); });
    return *goodsAdder_;
}

void TmainForm::AddGoodsToBasket(const GoodsRow& goods) {
    showingEngineErrors([&] {
        std::optional<ItemPrices> prices;
        {
            db::ReadTransaction read(dm_.connection());
            prices = goodsAdder().pricesForNewLine(goods);
        }
        addToBasket(goods, prices);
    });
}

void TmainForm::addToBasket(const GoodsRow& goods, const std::optional<ItemPrices>& prices) {
    // The price window may come up in here: no read is held open while it waits.
    const AddGoodsResult result = goodsAdder().AddGoodsToBasket(goods, saleTerms(), prices);
    if (!result.status1.isEmpty())
        status1->setText(result.status1);
    if (!result.notice.isEmpty())
        ShowNotice(result.notice, this);
    if (result.outcome == AddGoodsResult::Outcome::Cancelled) {
        barcodeinputEdit->clear();
        return;
    }
    selectRow(result.row);
    printBtn->setEnabled(true);
    GoodsCount();
}

RecountInput TmainForm::recountInput() const {
    RecountInput input;
    input.member = ismember;
    input.rules = rules_;
    input.rounding = RoundingOptions::from(settings_);
    input.yinlian = settings_.yinlian;
    // No cash handed over yet: no change to work out.
    const QString cash = receivemoneyEdit->text().trimmed();
    if (!cash.isEmpty() && cash != u"0")
        input.cash = db::MoneyValue(cash);
    input.otherPayment = db::MoneyValue(yinlianEdit->text());
    input.cardPayment = db::MoneyValue(kafuEdit->text());
    return input;
}

void TmainForm::showText(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

void TmainForm::showText(QLabel* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

QString TmainForm::GoodsCount() {
    const RecountResult result = till::GoodsCount(*basket_, recountInput());
    nodismoney = result.nodismoney;
    showText(totalMoneyEdit, result.applicableTotalText);
    totalMoneyLbl->setText(result.listTotalText);
    Label14->clear();
    showText(realmoneyEdit, result.payableText);
    if (result.change)
        showText(changeMoneyEdit, result.changeText);
    yinlianEdit->setEnabled(result.otherPaymentEnabled);
    goodscountLbl->setText(result.piecesText);
    showText(barcodeinputEdit, QString());
    barcodeinputEdit->setFocus();
    return result.piecesText;
}

bool TmainForm::DeleteLine() {
    const int row = selectedRow();
    if (row < 0)
        return false;
    basket_->remove(row);
    // No other line becomes selected: a second Delete must not take a line nobody chose.
    selectRow(-1);
    printBtn->setEnabled(!basket_->isEmpty());
    GoodsCount();
    return true;
}

void TmainForm::moneyopt() {
    const double payable = db::MoneyValue(realmoneyEdit->text());
    basket_->editLines([&](std::vector<BasketLine>& lines) { till::moneyopt(lines, payable, settings_.opt2); });
}

} // namespace shop::till
