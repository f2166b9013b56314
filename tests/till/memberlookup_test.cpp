#include "shopmembers.h"
#include "support/queryplan.h"
#include "support/shopfixture.h"
#include "till/member/memberlookup.h"
#include "till/member/saleslookup.h"

#include <gtest/gtest.h>

using namespace shop;
using namespace shop::till;
using Outcome = CardLookupResult::Outcome;

namespace {

using test::NewMember;

class MemberLookupTest : public ::testing::Test {
protected:
    MemberLookupTest() {
        shop.db().exec(QStringLiteral("delete from member"));
        shop.db().exec(QStringLiteral("delete from discount"));
    }
    void addMember(const NewMember& m) { test::addMember(shop.db(), m); }
    void setTiers(const std::vector<std::pair<int, QVariant>>& tiers) { test::setPointsTiers(shop.db(), tiers); }
    static QStringList cards(const std::vector<MemberRow>& rows) {
        QStringList list;
        for (const MemberRow& row : rows)
            list.append(row.cardId);
        list.sort();
        return list;
    }
    CardLookupResult look(const QString& typed, bool policy = false) { return lookup.lookUp(typed, policy, today); }

    test::TempShop shop;
    MemberLookup lookup{shop.db()};
    QDate today{2025, 6, 30};
};

TEST_F(MemberLookupTest, CardNumberIgnoresLetterCaseAndGivesTheStoredNumber) {
    addMember({.card = QStringLiteral("ABC123"), .name = QStringLiteral("张丽华")});
    for (const char* typed : {"abc123", "ABC123", " aBc123 "}) {
        const CardLookupResult r = look(QString::fromUtf8(typed));
        ASSERT_EQ(r.outcome, Outcome::Attached) << typed;
        EXPECT_EQ(r.member.cardId, QStringLiteral("ABC123"));
        EXPECT_EQ(r.member.name, QStringLiteral("张丽华"));
    }
}

TEST_F(MemberLookupTest, CardThenNameThenTelephoneThenPartialMatches) {
    addMember({.card = QStringLiteral("8001"), .name = QStringLiteral("王建国"), .tel = QStringLiteral("13900001111")});
    addMember({.card = QStringLiteral("8002"), .name = QStringLiteral("8001"), .tel = QStringLiteral("13812345678")});
    addMember({.card = QStringLiteral("8003"), .name = QStringLiteral("张伟"), .tel = QStringLiteral("1")});
    addMember({.card = QStringLiteral("8004"), .name = QStringLiteral("张伟"), .tel = QStringLiteral("2")});
    addMember({.card = QStringLiteral("8005"), .name = QStringLiteral("李梅"), .tel = QStringLiteral("15011112222")});

    const struct {
        const char* typed;
        Outcome outcome;
        QStringList cards; // attached card, or the picker's rows
    } cases[] = {
        {"8001", Outcome::Attached, {QStringLiteral("8001")}}, // a card number before someone's name
        {"王建国", Outcome::Attached, {QStringLiteral("8001")}},
        {"13812345678", Outcome::Attached, {QStringLiteral("8002")}},
        {"张伟", Outcome::Several, {QStringLiteral("8003"), QStringLiteral("8004")}},
        {"梅", Outcome::Several, {QStringLiteral("8005")}},      // part of a name: always the picker
        {"1111222", Outcome::Several, {QStringLiteral("8005")}}, // part of a telephone
        {"赵", Outcome::NotFound, {}},
        {"", Outcome::NotFound, {}},
        {"  ", Outcome::NotFound, {}},
    };
    for (const auto& c : cases) {
        const CardLookupResult r = look(QString::fromUtf8(c.typed));
        EXPECT_EQ(r.outcome, c.outcome) << c.typed;
        EXPECT_EQ(r.outcome == Outcome::Attached ? QStringList{r.member.cardId} : cards(r.rows), c.cards) << c.typed;
    }
    // Choosing a row in the picker looks its card up again.
    const CardLookupResult chosen = look(look(QStringLiteral("张伟")).rows.at(1).cardId);
    EXPECT_EQ(chosen.outcome, Outcome::Attached);
}

TEST_F(MemberLookupTest, QuotesPercentUnderscoreAndEmojiAreSearchedLiterally) {
    const QString awkward[] = {QStringLiteral("O'Brien"), QStringLiteral("50%"), QStringLiteral("a_b"),
                               QStringLiteral("会员😀"), QStringLiteral("x';--")};
    for (const QString& text : awkward)
        addMember({.card = text, .name = text + QStringLiteral("名"), .tel = text + QStringLiteral("电")});
    for (const char* decoy : {"500", "axb"})
        addMember(
            {.card = QString::fromUtf8(decoy), .name = QString::fromUtf8(decoy), .tel = QString::fromUtf8(decoy)});

    for (const QString& text : awkward) {
        EXPECT_EQ(look(text).member.cardId, text);
        EXPECT_EQ(look(text + QStringLiteral("名")).member.cardId, text);
        EXPECT_EQ(look(text + QStringLiteral("电")).member.cardId, text);
    }
    EXPECT_EQ(cards(look(QStringLiteral("%")).rows), QStringList{QStringLiteral("50%")});
    EXPECT_EQ(cards(look(QStringLiteral("_")).rows), QStringList{QStringLiteral("a_b")});
    EXPECT_EQ(cards(look(QStringLiteral("'")).rows), (QStringList{QStringLiteral("O'Brien"), QStringLiteral("x';--")}));
    EXPECT_EQ(shop.db().scalar(QStringLiteral("select count(*) from member")).toInt(), 7);
}

TEST_F(MemberLookupTest, InvalidAndExpiredCardsAreRefused) {
    const QString invalid = QStringLiteral("此会员卡目前状态为无效");
    const QString expired = QStringLiteral("此会员卡已超过有效期");
    const struct {
        int status;
        QVariant enddate;
        QDate today;
        QString notice; // empty: accepted
    } cases[] = {
        {-1, QStringLiteral("2025-06-30 00:00:00"), QDate(2025, 6, 30), {}}, // good through its last day
        {-1, QStringLiteral("2025-06-30"), QDate(2025, 6, 30), {}},
        {-1, QStringLiteral("2025-06-30 00:00:00"), QDate(2025, 7, 1), expired},
        {-1, QStringLiteral("2025-06-30"), QDate(2026, 1, 1), expired},
        {0, QStringLiteral("2030-01-01"), QDate(2025, 6, 30), invalid},
        {1, QStringLiteral("2030-01-01"), QDate(2025, 6, 30), invalid}, // only -1 is valid
        {0, QStringLiteral("2020-01-01"), QDate(2025, 6, 30), invalid}, // invalid is said first
        {-1, QVariant(), QDate(2025, 6, 30), expired},                  // no end date to trust
        {-1, QStringLiteral("someday"), QDate(2025, 6, 30), expired},
    };
    for (const auto& c : cases) {
        shop.db().exec(QStringLiteral("delete from member"));
        addMember({.card = QStringLiteral("A1"), .status = c.status, .enddate = c.enddate});
        const CardLookupResult r = lookup.lookUp(QStringLiteral("A1"), false, c.today);
        EXPECT_EQ(r.outcome, c.notice.isEmpty() ? Outcome::Attached : Outcome::Refused)
            << c.enddate.toString().toStdString();
        EXPECT_EQ(r.notice, c.notice) << c.enddate.toString().toStdString();
    }
}

TEST_F(MemberLookupTest, AttachedMemberValues) {
    addMember({.card = QStringLiteral("A1"),
               .name = QStringLiteral("张丽华"),
               .discount = 90,
               .addup = 3260.56,
               .exchange = 200,
               .balance = 560});
    addMember({.card = QStringLiteral("C1"), .name = QStringLiteral("吴婷"), .discount = QVariant(), .cardtype = -1});

    const MemberValues points = look(QStringLiteral("A1")).member;
    EXPECT_EQ(points.pointsText, QStringLiteral("3060.6"));
    EXPECT_EQ(points.jifen, 3060);
    EXPECT_FALSE(points.countedCard);
    EXPECT_EQ(points.cardTypeText, QStringLiteral("积分卡"));
    EXPECT_EQ(points.balanceText, QStringLiteral("560.00"));
    EXPECT_TRUE(points.cardPaymentEnabled);
    EXPECT_EQ(points.mtype, QStringLiteral("金卡"));
    EXPECT_EQ(points.discount, 90);

    const MemberValues counted = look(QStringLiteral("C1")).member;
    EXPECT_TRUE(counted.countedCard);
    EXPECT_EQ(counted.cardTypeText, QStringLiteral("次数卡"));
    EXPECT_FALSE(counted.cardPaymentEnabled);
    EXPECT_EQ(counted.pointsText, QStringLiteral("0.0"));
    EXPECT_EQ(counted.discount, 100); // a card without a discount pays full price, not nothing
    addMember({.card = QStringLiteral("C2"), .discount = QStringLiteral("八折")});
    EXPECT_EQ(look(QStringLiteral("C2")).member.discount, 100);
}

TEST_F(MemberLookupTest, PointsTiersLastQualifyingTierInTableOrderWins) {
    const struct {
        std::vector<std::pair<int, QVariant>> tiers;
        double points;
        int discount;
    } cases[] = {
        {{{1000, 90}, {2000, 80}}, 1500, 90},
        {{{1000, 90}, {2000, 80}}, 2500, 80},
        {{{1000, 90}, {2000, 80}}, 2000, 80},
        {{{1000, 90}, {2000, 80}}, 999.9, 100},
        {{{2000, 80}, {1000, 90}}, 2500, 90},
        {{{2000, 80}, {1000, 90}}, 1500, 90},
        {{{1000, 90}, {2000, QVariant()}}, 2500, 90}, // a tier without a rate gives nothing away
        {{{1000, 90}, {2000, QStringLiteral("八折")}}, 2500, 90},
        {{}, 5000, 100},
    };
    for (const auto& c : cases) {
        setTiers(c.tiers);
        EXPECT_EQ(lookup.PointsDiscount(c.points), c.discount) << c.points;
    }

    // With the policy on, the member's discount follows the tiers.
    setTiers({{1000, 90}, {2000, 80}});
    addMember({.card = QStringLiteral("A1"), .discount = 95, .addup = 2600, .exchange = 100});
    EXPECT_EQ(look(QStringLiteral("A1"), true).member.discount, 80);
    EXPECT_EQ(look(QStringLiteral("A1"), false).member.discount, 95);

    shop.db().exec(QStringLiteral("drop table discount"));
    EXPECT_EQ(lookup.PointsDiscount(2500), 100);
    EXPECT_EQ(look(QStringLiteral("A1"), true).member.discount, 100);
}

TEST_F(MemberLookupTest, BirthdayByTheEverydayOrTheLunarCalendar) {
    const struct {
        const char* birthday;
        int lunar;
        QDate today;
        bool birthday_;
    } cases[] = {
        {"8月15日", -1, QDate(2024, 9, 17), true}, // the 15th of the 8th lunar month
        {"8月15日", -1, QDate(2024, 8, 15), false},
        {"8月15日", 0, QDate(2024, 8, 15), true},
        {"8月15日", 0, QDate(2024, 9, 17), false},
        {"1月1日", -1, QDate(2025, 1, 29), true},
        {"3月8日", 0, QDate(2025, 3, 8), true},
        {"03月08日", 0, QDate(2025, 3, 8), false}, // stored texts carry no leading zeros
        {"", 0, QDate(2025, 3, 8), false},
    };
    for (const auto& c : cases) {
        shop.db().exec(QStringLiteral("delete from member"));
        addMember({.card = QStringLiteral("B1"), .birthday = QString::fromUtf8(c.birthday), .lunar = c.lunar});
        const CardLookupResult r = lookup.lookUp(QStringLiteral("B1"), false, c.today);
        ASSERT_EQ(r.outcome, Outcome::Attached);
        EXPECT_EQ(r.member.birthday, c.birthday_) << c.birthday << " " << c.today.toString().toStdString();
    }
}

TEST_F(MemberLookupTest, ExactLookupsFindTheirRowsThroughAnIndex) {
    for (const QString& sql : MemberLookup::perLookupStatements()) {
        const QStringList plan = test::queryPlan(shop.db(), sql);
        EXPECT_TRUE(test::searchesByIndex(plan)) << sql.toStdString() << "\n" << plan.join(u'\n').toStdString();
    }
}

TEST(SalesLookup, StaffCodeThenName) {
    test::TempShop shop;
    shop.db().exec(QStringLiteral("delete from sales"));
    const char* staff[][2] = {{"01", "李娜"}, {"02", "01"}, {"03", "O'Neil"}, {"5%", "王芳"}};
    for (const auto& [code, name] : staff)
        shop.db().exec(
            QStringLiteral("insert into sales(sales_No,sales_name) values(:c,:n)"),
            {{QStringLiteral("c"), QString::fromUtf8(code)}, {QStringLiteral("n"), QString::fromUtf8(name)}});
    SalesLookup lookup(shop.db());
    const struct {
        const char* typed;
        const char* name; // empty: nobody
    } cases[] = {
        {"01", "李娜"}, // the code before someone named "01"
        {" 王芳 ", "王芳"}, {"O'Neil", "O'Neil"}, {"5%", "王芳"}, {"5", ""}, {"", ""}, {"李", ""},
    };
    for (const auto& c : cases) {
        const std::optional<SalesPerson> person = lookup.find(QString::fromUtf8(c.typed));
        EXPECT_EQ(person ? person->salesName : QString(), QString::fromUtf8(c.name)) << c.typed;
        if (person) {
            EXPECT_GT(person->salesId, 0);
        }
    }
    EXPECT_EQ(SalesLookup::notFoundMessage(), QStringLiteral("无此销售人员，请重新输入"));
}

} // namespace
