#include "till/dialogs/goodsquery.h"

#include "db/sqlroutines.h"

namespace shop::till {

namespace {

const QString kColumns =
    QStringLiteral("select barcode,goods_no,name,guige,class_name,amount,sold,price2,price,ifdis,ifaddup,in_date "
                   "from goods where hide=0 and ");

QueriedGoods queried(const db::Query& q) {
    QueriedGoods g;
    g.barcode = q.value(0).toString();
    g.goodsNo = q.value(1).toString();
    g.name = q.value(2).toString();
    g.guige = q.value(3).toString();
    g.className = q.value(4).toString();
    g.amount = q.value(5).toDouble();
    g.sold = q.value(6).toDouble();
    g.price2 = q.value(7).toDouble();
    g.price = q.value(8).toDouble();
    g.ifdis = q.value(9).toInt() == -1;
    g.ifaddup = q.value(10).toInt() == -1;
    g.inDate = q.value(11).toString();
    return g;
}

} // namespace

std::vector<QueriedGoods> queryGoods(db::Query& query, const QString& typed, bool fuzzy) {
    if (typed.trimmed().isEmpty())
        return {};
    const QStringList conditions =
        fuzzy ? QStringList{QStringLiteral("barcode like :t escape '\\'"),
                            QStringLiteral("goods_no like :t escape '\\'"), QStringLiteral("name like :t escape '\\'")}
              : QStringList{QStringLiteral("barcode=:t COLLATE NOCASE"), QStringLiteral("goods_no=:t COLLATE NOCASE"),
                            QStringLiteral("name=:t COLLATE NOCASE")};
    const QString value = fuzzy ? db::containsPattern(typed) : typed;
    std::vector<QueriedGoods> rows;
    for (const QString& condition : conditions) {
        db::OpenSql(query, kColumns + condition, {{QStringLiteral("t"), value}});
        for (; !query.eof(); query.next())
            rows.push_back(queried(query));
        query.close();
        if (!rows.empty())
            break;
    }
    return rows;
}

} // namespace shop::till
