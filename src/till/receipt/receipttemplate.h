// The receipt template: a text with placeholders in square brackets that the shop edits,
// filled with the values of a sale.
#pragma once

#include "till/basket/basketline.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace shop::till {

// What a receipt shows about a sale.
struct ReceiptValues {
    QString title;         // ReceiptTitle
    QString welcome;       // ReceiptWelcome
    QString cashier;       // CashierName
    QString orderId;       // the receipt number
    QDateTime time;        // when the sale was settled (local time)
    double totalMoney = 0; // totalMoneyEdit: before spend-and-save and whole-order discounts
    double payable = 0;    // realmoneyEdit
    double card = 0;       // card payment
    double other = 0;      // other payment
    double cashGiven = 0;  // cash handed over
    double change = 0;
    QString salesName;       // the sales person, empty when none
    QString cardText;        // the card field's text
    QString memberType;      // the member's level (mtype), empty without a member
    double points = 0;       // points earned by the sale (jf_addup)
    double memberPoints = 0; // the member's redeemable points before the sale (jifen)
    double balance = 0;      // the card balance before the sale (kayuE)
    QString extraText;       // the extra receipt text, each line followed by a line break
    std::vector<BasketLine> lines;
};

struct ReceiptLayout {
    bool bigTitle = false; // the title in double width and height
    int bianju = 3;        // empty lines fed before the cut
};

class ReceiptTemplate {
public:
    explicit ReceiptTemplate(QString text);

    // "打印模板.txt" in the shop folder, or the built-in template when there is none.
    static ReceiptTemplate load(const QString& folder);
    static QString fileName();
    static QString builtIn();

    const QString& text() const { return text_; }

    // The filled receipt text (lines separated by "\n"), without the drawer and cut lines.
    QString render(const ReceiptValues& values, const ReceiptLayout& layout) const;

    // One copy of the item block per basket line, in list order, joined and without leading and
    // trailing blanks and line breaks.
    static QString RenderItemLines(const QString& block, const std::vector<BasketLine>& lines);

private:
    QString text_;
};

// The extra receipt text of the shop folder ("小票自定义.txt"): each line followed by a line
// break; empty when there is no such file.
QString loadExtraText(const QString& folder);

// Padding counted in characters, as "%-6s" and "%3s" do: never cuts a longer value.
QString padRight(const QString& value, int width);
QString padLeft(const QString& value, int width);
// Characters of a text (a character outside the basic plane counts once).
int characterCount(const QString& text);

} // namespace shop::till
