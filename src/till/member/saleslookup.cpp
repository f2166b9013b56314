#include "till/member/saleslookup.h"

namespace shop::till {

SalesLookup::SalesLookup(db::Connection& connection) : byCode_(connection), byName_(connection) {
    byCode_.setSql(QStringLiteral("select * from sales where sales_No=:text"));
    byName_.setSql(QStringLiteral("select * from sales where sales_name=:text"));
}

SalesLookup::~SalesLookup() = default;

std::optional<SalesPerson> SalesLookup::fetch(db::Query& query, const QString& text) {
    query.bind(QStringLiteral("text"), text);
    query.open();
    std::optional<SalesPerson> found;
    if (!query.eof())
        found = SalesPerson{query.value(QStringLiteral("sales_id")).toLongLong(),
                            query.value(QStringLiteral("sales_name")).toString(),
                            query.value(QStringLiteral("sales_No")).toString()};
    query.close();
    return found;
}

std::optional<SalesPerson> SalesLookup::find(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (std::optional<SalesPerson> person = fetch(byCode_, text))
        return person;
    return fetch(byName_, text);
}

} // namespace shop::till
