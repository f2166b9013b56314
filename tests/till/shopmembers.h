// Members and points tiers put into a test shop.
#pragma once

#include "db/connection.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

namespace shop::test {

struct NewMember {
    QString card;
    QString name;
    QString tel;
    QString birthday;
    int lunar = 0;
    QVariant discount = 90;
    int status = -1;
    QVariant enddate = QStringLiteral("2030-12-31 00:00:00");
    int cardtype = 0;
    double addup = 0;
    int exchange = 0;
    double balance = 0;
    QString mtype = QStringLiteral("金卡");
};

inline void addMember(db::Connection& c, const NewMember& m) {
    c.exec(QStringLiteral("insert into member(card_id,name,tel,birthday,lunar,mtype,discount,status,enddate,"
                          "cardtype,addup,exchange,balance) values(:c,:n,:t,:b,:l,:m,:d,:s,:e,:ct,:a,:x,:bal)"),
           {{QStringLiteral("c"), m.card},
            {QStringLiteral("n"), m.name},
            {QStringLiteral("t"), m.tel},
            {QStringLiteral("b"), m.birthday},
            {QStringLiteral("l"), m.lunar},
            {QStringLiteral("m"), m.mtype},
            {QStringLiteral("d"), m.discount},
            {QStringLiteral("s"), m.status},
            {QStringLiteral("e"), m.enddate},
            {QStringLiteral("ct"), m.cardtype},
            {QStringLiteral("a"), m.addup},
            {QStringLiteral("x"), m.exchange},
            {QStringLiteral("bal"), m.balance}});
}

// The points tiers (threshold, rate) in table order.
inline void setPointsTiers(db::Connection& c, const std::vector<std::pair<int, QVariant>>& tiers) {
    c.exec(QStringLiteral("delete from discount"));
    for (const auto& [jifen, rate] : tiers)
        c.exec(QStringLiteral("insert into discount(jifen,discount_rate) values(:j,:r)"),
               {{QStringLiteral("j"), jifen}, {QStringLiteral("r"), rate}});
}

} // namespace shop::test
