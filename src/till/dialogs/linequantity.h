// A new quantity for a basket line, as the quantity window takes it: the amount and the line
// cost scale with it, the discount, prices and flags stay; 0 takes the line out.
#pragma once

#include "till/basket/basketline.h"

#include <QString>

namespace shop::till {

struct QuantityChange {
    enum class Outcome {
        Nothing,    // nothing typed
        Unreadable, // not a quantity: say so, empty the field, stay open
        Remove,     // 0: the line goes
        Changed,    // `line` is the line with its new quantity
    };
    Outcome outcome = Outcome::Nothing;
    BasketLine line;
};

// `typed` is the quantity field's text. Only a plain decimal number counts ("2", "2.5", ".5");
// anything else (two decimal points, a sign, letters) is unreadable.
QuantityChange changeQuantity(const BasketLine& line, const QString& typed);

inline QString quantityUnreadableMessage() {
    return QStringLiteral("数量格式不对，请重新填写");
}

} // namespace shop::till
