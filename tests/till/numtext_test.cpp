#include "till/basket/rounding.h"
#include "till/numtext.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace shop::till;

namespace {

// The general way of writing a fixed number of decimals, which the quick one must match.
QString generalFixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double scaled = std::round(value * scale + (value >= 0 ? 1e-7 : -1e-7));
    if (scaled == 0)
        scaled = 0;
    return QString::number(scaled / scale, 'f', decimals);
}

double generalRead(const QString& text, double fallback) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? value : fallback;
}

TEST(NumberTexts, MoneyIsWrittenDigitForDigitAsTheGeneralFormattingDoes) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> everyday(-100000, 100000);
    for (int i = 0; i < 200000; ++i) {
        const double value = i % 2 ? everyday(random) : (i - 100000) / 100.0;
        ASSERT_EQ(money2(value), generalFixed(value, 2)) << value;
        ASSERT_EQ(money3(value), generalFixed(value, 3)) << value;
        // The recount adds up cents straight from the amounts it writes.
        ASSERT_EQ(toCents(value), std::llround(readNumber(money2(value)) * 100)) << value;
    }
    const double awkward[] = {0, -0.0, 0.005, -0.005, 0.004, -0.004, 12.345, 2.675, 1e11, -1e11, 1e13, 123456789012.34};
    for (double value : awkward) {
        EXPECT_EQ(money2(value), generalFixed(value, 2)) << value;
        EXPECT_EQ(money3(value), generalFixed(value, 3)) << value;
    }
    EXPECT_EQ(money2(-0.004), QStringLiteral("0.00"));
    EXPECT_EQ(money2(12.345), QStringLiteral("12.35"));
}

TEST(NumberTexts, NumbersAreReadAsTheCLocaleReadsThem) {
    const char* texts[] = {"12.50",
                           "-1",
                           "100",
                           "0",
                           "007",
                           "-0.5",
                           " 7 ",
                           "+5",
                           "1e3",
                           "1,000",
                           "abc",
                           "",
                           "1.2.3",
                           ".5",
                           "5.",
                           "-",
                           "--1",
                           "1-",
                           "１２",
                           "inf",
                           "nan",
                           "0.1",
                           "123456789012345678901234567890",
                           "12.3456789012345678901234",
                           "0.333333333333333",
                           "999999999999999",
                           "9999999999999999",
                           "-0"};
    for (const char* text : texts) {
        const QString typed = QString::fromUtf8(text);
        EXPECT_EQ(readNumber(typed, -42), generalRead(typed, -42)) << text;
        EXPECT_EQ(isNumber(typed), generalRead(typed, -42) != -42 || typed.trimmed() == u"-42") << text;
    }
    std::mt19937_64 random(11);
    std::uniform_int_distribution<qint64> cents(-10000000, 10000000);
    for (int i = 0; i < 100000; ++i) {
        const QString text = QString::number(double(cents(random)) / 100, 'f', i % 4);
        ASSERT_EQ(readNumber(text), generalRead(text, 0)) << text.toStdString();
    }
}

} // namespace
