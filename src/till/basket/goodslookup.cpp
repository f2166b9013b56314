#include "till/basket/goodslookup.h"

#include "db/sqlroutines.h"
#include "platform/clock.h"
#include "till/numtext.h"

namespace shop::till {

namespace {

const QString kByBarcode = QStringLiteral("select * from goods where hide=0 and barcode=:code");
const QString kByGoodsNo = QStringLiteral("select * from goods where hide=0 and goods_no=:code");
const QString kLikeGoodsNo = QStringLiteral("select * from goods where hide=0 and goods_no like :p escape '\\'");
const QString kLikeBarcode = QStringLiteral("select * from goods where hide=0 and barcode like :p escape '\\'");
const QString kLikeName = QStringLiteral("select * from goods where hide=0 and name like :p escape '\\'");
const QString kById = QStringLiteral("select * from goods where hide=0 and goods_id=:id");
const QString kTimePrice = QStringLiteral("select price,price2 from goods_price where :now >= from_time \r\n"
                                          "and :now <= to_time and goods_id=:id");
const QString kTejia = QStringLiteral("select tprice from tejia where goods_id=:id");

GoodsRow goodsRow(const db::Query& q) {
    GoodsRow g;
    g.goodsId = q.value(QStringLiteral("goods_id")).toLongLong();
    g.barcode = q.value(QStringLiteral("barcode")).toString();
    g.goodsNo = q.value(QStringLiteral("goods_no")).toString();
    g.name = q.value(QStringLiteral("name")).toString();
    g.gType = q.value(QStringLiteral("g_type")).toInt();
    g.price = fourDecimals(q.value(QStringLiteral("price")).toDouble());
    g.price2 = fourDecimals(q.value(QStringLiteral("price2")).toDouble());
    g.stock = q.value(QStringLiteral("amount")).toDouble();
    g.costprice = q.value(QStringLiteral("costprice"));
    g.ifdis = q.value(QStringLiteral("ifdis"));
    g.addupRate = q.value(QStringLiteral("addup_rate"));
    return g;
}

} // namespace

GoodsLookup::GoodsLookup(db::Connection& connection)
    : byBarcode_(connection), byGoodsNo_(connection), likeGoodsNo_(connection), likeBarcode_(connection),
      likeName_(connection), byId_(connection), timePrice_(connection), tejia_(connection) {
    byBarcode_.setSql(kByBarcode);
    byGoodsNo_.setSql(kByGoodsNo);
    likeGoodsNo_.setSql(kLikeGoodsNo);
    likeBarcode_.setSql(kLikeBarcode);
    likeName_.setSql(kLikeName);
    byId_.setSql(kById);
    timePrice_.setSql(kTimePrice);
    tejia_.setSql(kTejia);
}

GoodsLookup::~GoodsLookup() = default;

std::vector<GoodsRow> GoodsLookup::fetch(db::Query& query, const QString& name, const QVariant& value) {
    query.bind(name, value);
    query.open();
    std::vector<GoodsRow> rows;
    for (; !query.eof(); query.next())
        rows.push_back(goodsRow(query));
    query.close();
    return rows;
}

std::vector<GoodsRow> GoodsLookup::FindGoodsExact(const QString& code) {
    const QString typed = code.trimmed();
    if (typed.isEmpty()) // not a code: items without an article number are not its matches
        return {};
    std::vector<GoodsRow> rows = fetch(byBarcode_, QStringLiteral("code"), typed);
    if (rows.empty())
        rows = fetch(byGoodsNo_, QStringLiteral("code"), typed);
    return rows;
}

std::vector<GoodsRow> GoodsLookup::FindGoodsFuzzy(const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return {};
    const QString pattern = db::containsPattern(typed);
    for (db::Query* query : {&likeGoodsNo_, &likeBarcode_, &likeName_}) {
        std::vector<GoodsRow> rows = fetch(*query, QStringLiteral("p"), pattern);
        if (!rows.empty())
            return rows;
    }
    return {};
}

std::optional<GoodsRow> GoodsLookup::goodsById(qint64 goodsId) {
    std::vector<GoodsRow> rows = fetch(byId_, QStringLiteral("id"), goodsId);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

std::optional<TimePrice> GoodsLookup::timeWindowPrice(qint64 goodsId) {
    timePrice_.bind(QStringLiteral("now"), Clock::chinaTimeText());
    timePrice_.bind(QStringLiteral("id"), goodsId);
    timePrice_.open();
    std::optional<TimePrice> found;
    if (!timePrice_.eof()) {
        const QVariant price = timePrice_.value(QStringLiteral("price"));
        if (!price.isNull() && !price.toString().isEmpty())
            found = TimePrice{fourDecimals(price.toDouble()),
                              fourDecimals(timePrice_.value(QStringLiteral("price2")).toDouble())};
    }
    timePrice_.close();
    return found;
}

std::optional<double> GoodsLookup::specialPrice(qint64 goodsId) {
    tejia_.bind(QStringLiteral("id"), goodsId);
    tejia_.open();
    std::optional<double> found;
    if (!tejia_.eof())
        found = fourDecimals(tejia_.value(QStringLiteral("tprice")).toDouble());
    tejia_.close();
    return found;
}

QStringList GoodsLookup::perScanStatements() {
    return {kByBarcode, kByGoodsNo, kById, kTimePrice, kTejia};
}

} // namespace shop::till
