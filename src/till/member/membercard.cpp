#include "till/member/membercard.h"

#include "till/member/lunar.h"
#include "till/numtext.h"

#include <cmath>

namespace shop::till {

QString cardRefusal(const MemberRow& member, const QDate& today) {
    if (member.status != -1)
        return QStringLiteral("此会员卡目前状态为无效");
    // The card is good through the whole of its last day. A card whose end date cannot be read
    // is not taken on trust.
    const QDate end = QDate::fromString(member.enddate.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
    if (!end.isValid() || today > end)
        return QStringLiteral("此会员卡已超过有效期");
    return {};
}

bool isBirthday(const MemberRow& member, const QDate& today) {
    const QString birthday = member.birthday.trimmed();
    if (birthday.isEmpty())
        return false;
    if (member.lunar == 0)
        return birthday == solarDayText(today);
    if (member.lunar == -1)
        return birthday == lunarDayText(today);
    return false;
}

MemberValues memberValues(const MemberRow& member, const QDate& today, bool discountPolicy, int pointsDiscount) {
    MemberValues v;
    v.cardId = member.cardId;
    v.name = member.name;
    v.jifen = int(std::trunc(member.jifen));
    v.pointsText = QString::number(member.jifen, 'f', 1);
    v.countedCard = member.cardtype == -1;
    v.cardTypeText = v.countedCard ? QStringLiteral("次数卡") : QStringLiteral("积分卡");
    v.balance = member.balance;
    v.balanceText = money2(member.balance);
    v.cardPaymentEnabled = member.balance > 0;
    v.mtype = member.mtype;
    v.discount = discountPolicy ? pointsDiscount : member.discount;
    v.birthday = isBirthday(member, today);
    return v;
}

} // namespace shop::till
