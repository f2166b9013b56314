#include "till/dialogs/linequantity.h"

#include "till/numtext.h"

#include <QRegularExpression>

namespace shop::till {

QuantityChange changeQuantity(const BasketLine& line, const QString& typed) {
    QuantityChange change;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return change;
    static const QRegularExpression plainNumber(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!plainNumber.match(text).hasMatch() || !isNumber(text)) {
        change.outcome = QuantityChange::Outcome::Unreadable;
        return change;
    }
    const double quantity = readNumber(text);
    if (quantity == 0) {
        change.outcome = QuantityChange::Outcome::Remove;
        return change;
    }

    const double oldQuantity = readNumber(line.sub(Sub::Quantity));
    const double oldAmount = readNumber(line.sub(Sub::Amount));
    // What one piece costs on this line. A line of quantity 0 (typed so in the price window) has
    // no amount to divide: its piece is priced from the unit price and the line's discount.
    const double perPiece = oldQuantity != 0
                                ? oldAmount / oldQuantity
                                : readNumber(line.sub(Sub::UnitPrice)) * readNumber(line.sub(Sub::Discount), 100) / 100;

    change.outcome = QuantityChange::Outcome::Changed;
    change.line = line;
    change.line.set(Sub::Quantity, shortNumber(quantity));
    change.line.set(Sub::Amount, money2(quantity * perPiece));
    change.line.set(Sub::LineCost, money2(quantity * readNumber(line.sub(Sub::CostPrice))));
    return change;
}

} // namespace shop::till
