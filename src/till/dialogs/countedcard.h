// Using up visits of a counted card: what the window shows of the card, the check of the
// number of uses the cashier typed, and the basket line that records the use.
#pragma once

#include "db/connection.h"
#include "till/basket/basketline.h"

#include <QString>

#include <vector>

namespace shop::till {

struct CountedCardInfo {
    bool found = false;
    QString cardId; // as stored
    QString name;
    qint64 count = 0;      // visits left
    qint64 countSpent = 0; // visits used so far
};

// The card's row, found on `query` without regard to letter case of the card number.
CountedCardInfo countedCardInfo(db::Query& query, const QString& cardId);

struct UsesCheck {
    enum class Outcome {
        Empty,    // nothing typed
        Wrong,    // 0 or not a whole number: "输入错误，请返回"
        Overdraw, // more uses than the card has visits left
        Accepted,
    };
    Outcome outcome = Outcome::Empty;
    qint64 uses = 0;
};

// `typed` is the uses field's text; `remaining` the card's visits left. A card never gives more
// visits than were paid for: its count would go below 0.
UsesCheck checkUses(const QString& typed, qint64 remaining);

inline QString usesWrongMessage() {
    return QStringLiteral("输入错误，请返回");
}
QString overdrawMessage(qint64 remaining);

// Uses in the basket not yet settled: the counted-card lines' quantities.
qint64 pendingCountedUses(const std::vector<BasketLine>& lines);

// The basket line of a counted-card use: caption and name "次卡消费", the uses as quantity,
// nothing charged, no discount, no points, goods id "-1".
BasketLine countedCardLine(qint64 uses);

} // namespace shop::till
