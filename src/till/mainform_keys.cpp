// The keyboard map of the main window and the commands it starts.
#include "till/keycodes.h"
#include "till/mainform.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace shop::till {

int TmainForm::selectedRow() const {
    const QModelIndexList rows = ListView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TmainForm::selectRow(int row) {
    if (row < 0 || row >= basket_->size()) {
        ListView->clearSelection();
        return;
    }
    ListView->selectRow(row);
    ListView->scrollTo(basket_->index(row, 0));
}

KeyState TmainForm::keyState(const QKeyEvent* event) const {
    KeyState state;
    state.selectedRow = selectedRow();
    state.lineCount = basket_->size();
    state.saleStage = SaleStage;
    state.altHeld = event && (event->modifiers() & Qt::AltModifier);
    return state;
}

bool TmainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == yinlianEdit && event->type() == QEvent::FocusIn)
        yinlianEditEntered();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == kafuEdit && key == Qt::Key_Right) {
            kafuEditRight();
            return true;
        }
        if (watched == yinlianEdit && key == Qt::Key_Left && kafuEdit->isEnabled()) {
            kafuEdit->setFocus();
            return true;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        // Keys of this window only, and not while one of its modal windows is up.
        if (widget && widget->window() == this && !QApplication::activeModalWidget()) {
            auto* key = static_cast<QKeyEvent*>(event);
            // The sale's own fields take Enter (and the pickers their keys) before the map.
            switch (saleFieldKey(widget, key)) {
            case FieldKey::Done:
                return true;
            case FieldKey::Field:
                return false;
            case FieldKey::Map:
                break;
            }
            if (handleKey(key))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TmainForm::handleKey(QKeyEvent* event) {
    const int code = windowsKeyCode(*event);
    if (code == 0)
        return false;
    const ShortcutCodes shortcuts{settings_.shuliangK, settings_.jifenK, settings_.dazheK};
    const KeyAction action = matchKey(code, keyState(event), shortcuts);
    return action != KeyAction::None && runAction(action);
}

bool TmainForm::runAction(KeyAction action) {
    switch (action) {
    case KeyAction::SelectPrevious:
        selectRow(selectedRow() - 1);
        return true;
    case KeyAction::SelectNext:
        selectRow(selectedRow() + 1);
        return true;
    case KeyAction::FocusCash:
        // While paying, Enter in a payment field is that field's own.
        if (paymentFieldHasFocus())
            return false;
        receivemoneyEdit->setFocus();
        return true;
    case KeyAction::Settle:
        printBtnClick();
        return true;
    case KeyAction::PrintLast:
        printPreBtnClick();
        return true;
    case KeyAction::FocusCard:
        cardNoEdit->setFocus();
        return true;
    case KeyAction::DeleteLine:
        return DeleteLine();
    case KeyAction::GoodsQuery:
        openGoodsQuery();
        return true;
    case KeyAction::ChangeQuantity:
        ChangeQuantity();
        return true;
    case KeyAction::OrderDiscount:
        OpenDiscount(true);
        return true;
    case KeyAction::LineDiscount:
        OpenDiscount(false);
        return true;
    case KeyAction::SalesPerson:
        openSalesForm();
        return true;
    default:
        // Commands whose windows are not part of this till build go on to the focused field.
        return false;
    }
}

} // namespace shop::till
