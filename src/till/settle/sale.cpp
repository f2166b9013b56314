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
    if (!sale.cika || sale.lines.empty())
        return 0;
    return readNumber(sale.lines.front().sub(Sub::Quantity));
}

} // namespace shop::till
