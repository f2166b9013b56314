#include "till/settle/sale.h"

#include "db/moneytext.h"
#include "till/numtext.h"

namespace shop::till {

SaleMember saleMember(const MemberValues& member) {
    return SaleMember{member.cardId, double(member.discount), member.birthday};
}

double BasketCost(const std::vector<BasketLine>& lines) {
    double cost = 0;
    for (const BasketLine& line : lines)
        cost += db::MoneyValue(line.sub(Sub::LineCost));
    return cost;
}

double countedCardUses(const Sale& sale) {
    if (!sale.cika)
        return 0;
    // The counted-card line (goods id -1) holds the uses, wherever it stands: goods rung up
    // before the card was found come first in the basket.
    double uses = 0;
    for (const BasketLine& line : sale.lines)
        if (line.sub(Sub::GoodsId) == u"-1")
            uses += readNumber(line.sub(Sub::Quantity));
    return uses;
}

} // namespace shop::till
