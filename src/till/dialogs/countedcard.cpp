#include "till/dialogs/countedcard.h"

#include "db/sqlroutines.h"

#include <QRegularExpression>

#include <algorithm>

namespace shop::till {

CountedCardInfo countedCardInfo(db::Query& query, const QString& cardId) {
    db::OpenSql(query,
                QStringLiteral("select *,(addup-exchange)as jifen from member where card_id=:card COLLATE NOCASE"),
                {{QStringLiteral("card"), cardId}});
    CountedCardInfo info;
    if (!query.eof()) {
        info.found = true;
        info.cardId = query.value(QStringLiteral("card_id")).toString();
        info.name = query.value(QStringLiteral("name")).toString();
        info.count = query.value(QStringLiteral("count")).toLongLong();
        info.countSpent = query.value(QStringLiteral("count_spent")).toLongLong();
    }
    query.close();
    return info;
}

UsesCheck checkUses(const QString& typed, qint64 remaining) {
    UsesCheck check;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return check;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    bool ok = false;
    const qint64 uses = digits.match(text).hasMatch() ? text.toLongLong(&ok) : 0;
    if (!ok || uses == 0) {
        check.outcome = UsesCheck::Outcome::Wrong;
        return check;
    }
    check.uses = uses;
    check.outcome = uses > remaining ? UsesCheck::Outcome::Overdraw : UsesCheck::Outcome::Accepted;
    return check;
}

QString overdrawMessage(qint64 remaining) {
    return QStringLiteral("剩余次数不足，此卡只剩") + QString::number(std::max<qint64>(remaining, 0)) +
           QStringLiteral("次，请返回");
}

qint64 pendingCountedUses(const std::vector<BasketLine>& lines) {
    qint64 uses = 0;
    for (const BasketLine& line : lines)
        if (line.sub(Sub::GoodsId) == u"-1")
            uses += line.sub(Sub::Quantity).toLongLong();
    return uses;
}

BasketLine countedCardLine(qint64 uses) {
    BasketLine line;
    line.caption = QStringLiteral("次卡消费");
    line.subs = {QStringLiteral("次卡消费"), QStringLiteral("0"),    QString(),           QStringLiteral("100"),
                 QString::number(uses),      QStringLiteral("0.00"), QStringLiteral("0"), QStringLiteral("0.00"),
                 QStringLiteral("-1"),       QStringLiteral("0"),    QStringLiteral("0"), QStringLiteral("-1"),
                 QStringLiteral("-1")};
    return line;
}

} // namespace shop::till
