#include "till/member/memberlookup.h"

#include "db/sqlroutines.h"
#include "till/numtext.h"

#include <optional>

namespace shop::till {

namespace {

const QString kByCard =
    QStringLiteral("select *,(addup-exchange)as jifen from member where card_id=:text COLLATE NOCASE");
const QString kByName = QStringLiteral("select *,(addup-exchange)as jifen from member where name=:text");
const QString kByTel = QStringLiteral("select *,(addup-exchange)as jifen from member where tel=:text");
const QString kLikeName =
    QStringLiteral("select *,(addup-exchange)as jifen from member where name like :text escape '\\'");
const QString kLikeTel =
    QStringLiteral("select *,(addup-exchange)as jifen from member where tel like :text escape '\\'");
const QString kTiers = QStringLiteral("select jifen,discount_rate from discount order by rowid");

// A percentage column as a whole number; empty when it holds nothing readable.
std::optional<int> wholePercent(const QVariant& value) {
    bool ok = false;
    const int percent = value.toInt(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return percent;
}

MemberRow memberRow(const db::Query& q) {
    MemberRow m;
    m.cardId = q.value(QStringLiteral("card_id")).toString();
    m.name = q.value(QStringLiteral("name")).toString();
    m.tel = q.value(QStringLiteral("tel")).toString();
    m.mtype = q.value(QStringLiteral("mtype")).toString();
    m.birthday = q.value(QStringLiteral("birthday")).toString();
    m.lunar = q.value(QStringLiteral("lunar")).toInt();
    m.status = q.value(QStringLiteral("status")).toInt();
    m.enddate = q.value(QStringLiteral("enddate")).toString();
    m.cardtype = q.value(QStringLiteral("cardtype")).toInt();
    // A card without a readable discount pays full price rather than nothing.
    m.discount = wholePercent(q.value(QStringLiteral("discount"))).value_or(100);
    m.jifen = q.value(QStringLiteral("jifen")).toDouble();
    m.balance = fourDecimals(q.value(QStringLiteral("balance")).toDouble());
    return m;
}

} // namespace

MemberLookup::MemberLookup(db::Connection& connection)
    : byCard_(connection), byName_(connection), byTel_(connection), likeName_(connection), likeTel_(connection),
      tiers_(connection) {
    byCard_.setSql(kByCard);
    byName_.setSql(kByName);
    byTel_.setSql(kByTel);
    likeName_.setSql(kLikeName);
    likeTel_.setSql(kLikeTel);
    tiers_.setSql(kTiers);
}

MemberLookup::~MemberLookup() = default;

std::vector<MemberRow> MemberLookup::fetch(db::Query& query, const QString& value) {
    query.bind(QStringLiteral("text"), value);
    query.open();
    std::vector<MemberRow> rows;
    for (; !query.eof(); query.next())
        rows.push_back(memberRow(query));
    query.close();
    return rows;
}

std::vector<MemberRow> MemberLookup::findExact(const QString& text) {
    if (text.trimmed().isEmpty())
        return {};
    for (db::Query* query : {&byCard_, &byName_, &byTel_}) {
        std::vector<MemberRow> rows = fetch(*query, text);
        if (!rows.empty())
            return rows;
    }
    return {};
}

std::vector<MemberRow> MemberLookup::findPartial(const QString& text) {
    if (text.trimmed().isEmpty())
        return {};
    const QString pattern = db::containsPattern(text);
    for (db::Query* query : {&likeName_, &likeTel_}) {
        std::vector<MemberRow> rows = fetch(*query, pattern);
        if (!rows.empty())
            return rows;
    }
    return {};
}

CardLookupResult MemberLookup::lookUp(const QString& typed, bool discountPolicy, const QDate& today) {
    CardLookupResult result;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return result;
    std::vector<MemberRow> rows = findExact(text);
    if (rows.size() == 1) {
        const MemberRow& member = rows.front();
        result.notice = cardRefusal(member, today);
        if (!result.notice.isEmpty()) {
            result.outcome = CardLookupResult::Outcome::Refused;
            return result;
        }
        const int tierDiscount = discountPolicy ? PointsDiscount(member.jifen) : 100;
        result.member = memberValues(member, today, discountPolicy, tierDiscount);
        result.outcome = CardLookupResult::Outcome::Attached;
        return result;
    }
    if (rows.empty())
        rows = findPartial(text);
    if (!rows.empty()) {
        result.outcome = CardLookupResult::Outcome::Several;
        result.rows = std::move(rows);
    }
    return result;
}

int MemberLookup::PointsDiscount(double points) {
    int discount = 100;
    try {
        tiers_.open();
        for (; !tiers_.eof(); tiers_.next()) {
            const std::optional<int> rate = wholePercent(tiers_.value(QStringLiteral("discount_rate")));
            if (rate && tiers_.value(QStringLiteral("jifen")).toDouble() <= points)
                discount = *rate;
        }
        tiers_.close();
    } catch (const db::DbError&) {
        tiers_.close();
        return 100;
    }
    return discount;
}

QStringList MemberLookup::perLookupStatements() {
    return {kByCard, kByName, kByTel};
}

} // namespace shop::till
