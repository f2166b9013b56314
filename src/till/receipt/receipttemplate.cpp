#include "till/receipt/receipttemplate.h"

#include "platform/textcodec.h"
#include "till/numtext.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cmath>

namespace shop::till {

namespace {

// Values put into the text have their '[' swapped for a private character until the whole
// receipt is filled, so that an item or cashier name can never be read as a placeholder.
constexpr char16_t kShieldedBracket = u'\uE000';

QString shield(QString value) {
    value.replace(u'[', kShieldedBracket);
    return value;
}

QString unshield(QString text) {
    text.replace(kShieldedBracket, u'[');
    return text;
}

// Replaces every match of `pattern` by `value`, taken literally.
QString replaceAll(const QString& text, const QRegularExpression& pattern, const QString& value) {
    QString out;
    qsizetype from = 0;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += value;
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString replaceAll(const QString& text, const QString& placeholder, const QString& value) {
    return replaceAll(text, QRegularExpression(QRegularExpression::escape(placeholder)), value);
}

// Blanks and line breaks at both ends; other white space (a full-width blank) stays.
QString trimBlanksAndBreaks(const QString& text) {
    auto isCut = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isCut(text.at(begin)))
        ++begin;
    while (end > begin && isCut(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString wholePart(double value) {
    return QString::number(qint64(std::trunc(value)));
}

QString centred(const QString& text, int columns) {
    const int blanks = std::max(0, (columns - characterCount(text)) / 2);
    return QString(blanks, u' ') + text;
}

// The copies of the item block, still shielded.
QString renderItems(const QString& block, const std::vector<BasketLine>& lines) {
    static const QRegularExpression nameAndBlanks(QStringLiteral("\\[spmc\\][ \\t]*"));
    const qsizetype firstBreak = block.indexOf(u'\n');
    const qsizetype quantityAt = block.indexOf(QStringLiteral("spsl"));
    const bool nameBesideQuantity = quantityAt >= 0 && (firstBreak < 0 || quantityAt < firstBreak);
    // The name column reaches from "[spmc]" to "[spsl]".
    int nameWidth = 0;
    if (nameBesideQuantity) {
        const qsizetype nameAt = block.indexOf(QStringLiteral("[spmc]"));
        const qsizetype quantityTag = block.indexOf(QStringLiteral("[spsl]"));
        if (nameAt >= 0 && quantityTag > nameAt)
            nameWidth = characterCount(block.mid(nameAt, quantityTag - nameAt));
    }

    QString out;
    for (const BasketLine& line : lines) {
        QString copy = block;
        const QString name = shield(line.sub(Sub::Name));
        if (nameBesideQuantity) {
            const QRegularExpressionMatch m = nameAndBlanks.match(copy);
            if (m.hasMatch())
                copy.replace(m.capturedStart(), m.capturedLength(), padRight(name, nameWidth));
        } else {
            copy = replaceAll(copy, QStringLiteral("[spmc]"), name);
        }
        const QString amountText = line.sub(Sub::Amount).trimmed();
        const bool free = isNumber(amountText) && money2(readNumber(amountText)) == QStringLiteral("0.00");
        copy = replaceAll(copy, QStringLiteral("[spsl]"), padLeft(shield(line.sub(Sub::Quantity)), 3));
        copy = replaceAll(copy, QStringLiteral("[spdj]"), padLeft(shield(line.sub(Sub::UnitPrice)), 7));
        copy = replaceAll(copy, QStringLiteral("[spje]"),
                          padLeft(free ? QStringLiteral("*赠") : shield(line.sub(Sub::Amount)), 7));
        out += copy;
    }
    return trimBlanksAndBreaks(out);
}

} // namespace

int characterCount(const QString& text) {
    int count = 0;
    for (QChar c : text)
        count += c.isLowSurrogate() ? 0 : 1;
    return count;
}

QString padRight(const QString& value, int width) {
    const int missing = width - characterCount(value);
    return missing > 0 ? value + QString(missing, u' ') : value;
}

QString padLeft(const QString& value, int width) {
    const int missing = width - characterCount(value);
    return missing > 0 ? QString(missing, u' ') + value : value;
}

ReceiptTemplate::ReceiptTemplate(QString text) : text_(std::move(text)) {}

QString ReceiptTemplate::fileName() {
    return QStringLiteral("打印模板.txt");
}

QString ReceiptTemplate::builtIn() {
    const QString dashes(32, u'-');
    const QStringList lines = {
        QStringLiteral("          [小票标题]"),
        dashes,
        QStringLiteral("收银员:[syy]    单号:[dl]"),
        QStringLiteral("日期:[rq]       时间:[sj]"),
        dashes,
        QStringLiteral("商品名称     数量   单价    金额"),
        QStringLiteral("[spmc]") + QString(26, u' '),
        QStringLiteral("  "),
        QString(13, u' ') + QStringLiteral("[spsl]   [spdj]  [spje]"),
        dashes,
        QStringLiteral("应收:[ysje] 实收:[ssje]"),
        QStringLiteral("卡付:[kzf]"),
        QStringLiteral("现金:[xj]"),
        QStringLiteral("找零:[zl]"),
        QStringLiteral("销售:[xsy]"),
        QStringLiteral("会员:[hykh]会员类型:[lx]"),
        QStringLiteral("本次积分:[bcjf]可兑积分:[kdjf]"),
        QStringLiteral(" "),
        QStringLiteral("          [底部欢迎词]"),
        QStringLiteral("[附加文本]"),
    };
    return lines.join(u'\n');
}

ReceiptTemplate ReceiptTemplate::load(const QString& folder) {
    QString text;
    if (!readTextFile(QDir(folder).filePath(fileName()), text))
        return ReceiptTemplate(builtIn());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The line break that ends the file's last line is not an empty line of the receipt.
    if (text.endsWith(u'\n'))
        text.chop(1);
    return ReceiptTemplate(text);
}

QString ReceiptTemplate::RenderItemLines(const QString& block, const std::vector<BasketLine>& lines) {
    return unshield(renderItems(block, lines));
}

QString ReceiptTemplate::render(const ReceiptValues& v, const ReceiptLayout& layout) const {
    QString text = text_;

    static const QRegularExpression itemBlock(QStringLiteral("\\[spmc\\](.*?)\\[spje\\]"),
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch block = itemBlock.match(text);
    if (block.hasMatch())
        text.replace(block.capturedStart(), block.capturedLength(), renderItems(block.captured(0) + u'\n', v.lines));

    static const QRegularExpression cashier(QStringLiteral("\\[syy\\]\\s*"));
    static const QRegularExpression date(QStringLiteral("\\[rq\\]\\s*"));
    text = replaceAll(text, cashier, padRight(shield(v.cashier), 6));
    text = replaceAll(text, QStringLiteral("[dl]"), shield(v.orderId));
    text = replaceAll(text, date, padRight(v.time.toString(QStringLiteral("yyyy-MM-dd")), 10));
    text = replaceAll(text, QStringLiteral("[sj]"), v.time.toString(QStringLiteral("HH:mm:ss")));
    text = replaceAll(text, QStringLiteral("[ysje]"), padRight(money2(v.totalMoney), 10));
    text = replaceAll(text, QStringLiteral("[ssje]"), padRight(money2(v.payable), 10));
    text = replaceAll(text, QStringLiteral("[kzf]"), padRight(money2(v.card), 10));
    text = replaceAll(text, QStringLiteral("[yl]"), padRight(money2(v.other), 10));
    text = replaceAll(text, QStringLiteral("[xj]"), padRight(money2(v.cashGiven), 10));
    text = replaceAll(text, QStringLiteral("[zl]"), padRight(money2(v.change), 10));
    text = replaceAll(text, QStringLiteral("[xsy]"), padRight(shield(v.salesName), 10));
    text = replaceAll(text, QStringLiteral("[hykh]"), padRight(shield(v.cardText), 8));
    text = replaceAll(text, QStringLiteral("[lx]"), padRight(shield(v.memberType), 8));
    text = replaceAll(text, QStringLiteral("[bcjf]"), padRight(wholePart(v.points), 5));
    text = replaceAll(text, QStringLiteral("[kdjf]"), padRight(shortNumber(v.memberPoints + std::trunc(v.points)), 7));
    text = replaceAll(text, QStringLiteral("[kye]"), padRight(money2(v.balance - v.card), 5));
    text = replaceAll(text, QStringLiteral("[底部欢迎词]"), shield(centred(v.welcome, 32)));
    text = replaceAll(text, QStringLiteral("[附加文本]"), shield(v.extraText));

    text += QString(std::max(0, layout.bianju), u'\n');

    static const QRegularExpression title(QStringLiteral("\\s*\\[小票标题\\]"));
    QString titleText;
    if (layout.bigTitle) {
        const QChar fs(0x1C);
        titleText = QString(fs) + u'&' + u'\n' + fs + u'!' + QChar(0x0C) + u'\n' + shield(centred(v.title, 16)) +
                    u'\n' + fs + u'!' + QChar(0x00);
    } else {
        titleText = shield(centred(v.title, 32));
    }
    text = replaceAll(text, title, titleText);
    return unshield(text);
}

QString loadExtraText(const QString& folder) {
    QString text;
    if (!readTextFile(QDir(folder).filePath(QStringLiteral("小票自定义.txt")), text) || text.isEmpty())
        return {};
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    QString out;
    for (const QString& line : lines)
        out += line + u'\n';
    return out;
}

} // namespace shop::till
