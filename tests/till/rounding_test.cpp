#include "till/basket/rounding.h"

#include <gtest/gtest.h>

using namespace shop::till;

namespace {

struct RoundingCase {
    RoundingOptions options;
    double amount;
    double expected;
};

void PrintTo(const RoundingCase& c, std::ostream* os) {
    *os << c.amount << (c.options.opt1 ? " opt1" : "") << (c.options.opt3 ? " opt3" : "")
        << (c.options.opt2 ? " opt2" : "");
}

class Rounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(Rounding, AppliesTheTickedOptionsInOrder) {
    const RoundingCase& c = GetParam();
    EXPECT_DOUBLE_EQ(applyRounding(c.amount, c.options), c.expected) << ::testing::PrintToString(c);
}

constexpr RoundingOptions kNone{};
constexpr RoundingOptions kOpt1{true, false, false};
constexpr RoundingOptions kOpt2{false, true, false};
constexpr RoundingOptions kOpt3{false, false, true};
constexpr RoundingOptions kOpt1And3{true, false, true};
constexpr RoundingOptions kOpt1And2{true, true, false};

INSTANTIATE_TEST_SUITE_P(
    Table, Rounding,
    ::testing::Values(RoundingCase{kNone, 12.34, 12.34},
                      // opt1: to the tenth after adding 0.005
                      RoundingCase{kOpt1, 12.34, 12.3}, RoundingCase{kOpt1, 12.35, 12.4},
                      RoundingCase{kOpt1, 12.30, 12.3}, RoundingCase{kOpt1, 12.295, 12.3},
                      // an exact tie after the 0.005 goes to the even tenth
                      RoundingCase{kOpt1, 12.245, 12.2}, RoundingCase{kOpt1, 12.345, 12.4},
                      // binary noise does not tip a sum over: 3 x 4.15 is 12.45 to the cashier
                      RoundingCase{kOpt1, 3 * 4.15, 12.5},
                      // opt2: the fraction goes, even a hair below a whole yuan from binary noise
                      RoundingCase{kOpt2, 12.99, 12.0}, RoundingCase{kOpt2, 0.57 * 100, 57.0},
                      // opt3: to the yuan after adding 0.05, ties to even
                      RoundingCase{kOpt3, 12.45, 12.0}, RoundingCase{kOpt3, 12.46, 13.0},
                      RoundingCase{kOpt3, 13.45, 14.0},
                      // in order: opt1 first, then opt3 (12.44 -> 12.4 -> 12) or opt2 (12.96 -> 13.0 -> 13)
                      RoundingCase{kOpt1And3, 12.44, 12.0}, RoundingCase{kOpt1And3, 12.45, 13.0},
                      RoundingCase{kOpt1And2, 12.96, 13.0},
                      // a refund is rounded as the sale it gives back
                      RoundingCase{kOpt1, -12.35, -12.4}, RoundingCase{kOpt3, -12.46, -13.0},
                      RoundingCase{kOpt2, -12.99, -12.0}));

TEST(Rounding, CentsAgreeWithTheTwoDecimalText) {
    EXPECT_EQ(toCents(12.345), 1235); // stored as 12.3449999…, shown 12.35
    EXPECT_EQ(toCents(-12.345), -1235);
    EXPECT_EQ(toCents(51.16 + 13.29 + 35.55), 10000);
    EXPECT_DOUBLE_EQ(fromCents(1235), 12.35);
}

} // namespace
