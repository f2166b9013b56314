// Finding the member behind what the cashier typed into the card field (card number, name or
// telephone), and the points-tier discount. Typed text is always bound; the statements are
// prepared once and reused.
#pragma once

#include "db/connection.h"
#include "platform/clock.h"
#include "till/member/membercard.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace shop::till {

struct CardLookupResult {
    enum class Outcome {
        NotFound, // no card, name or telephone: the field is emptied without a message
        Several,  // show `rows` in the member picker grid
        Refused,  // show `notice`, keep the typed text selected, attach nobody
        Attached, // `member` holds the values to show and keep
    };
    Outcome outcome = Outcome::NotFound;
    std::vector<MemberRow> rows;
    QString notice;
    MemberValues member;
};

class MemberLookup {
public:
    explicit MemberLookup(db::Connection& connection);
    ~MemberLookup();
    MemberLookup(const MemberLookup&) = delete;
    MemberLookup& operator=(const MemberLookup&) = delete;

    // Enter in the card field: the exact lookups, then the partial ones, then the checks and
    // the member's values for `today`.
    CardLookupResult lookUp(const QString& typed, bool discountPolicy, const QDate& today = Clock::today());

    // Members whose card number is `text` without regard to letter case; when none, whose
    // name is `text`; when none, whose telephone is. Nothing for blank text.
    std::vector<MemberRow> findExact(const QString& text);
    // Members whose name contains `text`; when none, whose telephone does. "%" and "_" match
    // themselves. Nothing for blank text.
    std::vector<MemberRow> findPartial(const QString& text);

    // The points-tier discount: 100, or the rate of the last tier in table order whose
    // threshold the points reach. Tiers without a readable rate are passed over; a database
    // error gives 100.
    int PointsDiscount(double points);

    // The statements that run once per card lookup; each is meant to find its rows through an index.
    static QStringList perLookupStatements();

private:
    std::vector<MemberRow> fetch(db::Query& query, const QString& value);

    db::Query byCard_;
    db::Query byName_;
    db::Query byTel_;
    db::Query likeName_;
    db::Query likeTel_;
    db::Query tiers_;
};

} // namespace shop::till
