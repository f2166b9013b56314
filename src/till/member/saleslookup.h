// Finding the sales person the cashier types into the sales-person field: by staff code, then
// by name. The typed text is bound; the statements are prepared once.
#pragma once

#include "db/connection.h"

#include <QString>

#include <optional>

namespace shop::till {

struct SalesPerson {
    qint64 salesId = -1;
    QString salesName;
    QString salesNo; // the staff code
};

class SalesLookup {
public:
    explicit SalesLookup(db::Connection& connection);
    ~SalesLookup();
    SalesLookup(const SalesLookup&) = delete;
    SalesLookup& operator=(const SalesLookup&) = delete;

    // The first sales person whose code is the trimmed text, or when none, whose name is.
    // Empty when there is none (the window then shows `notFoundMessage()`).
    std::optional<SalesPerson> find(const QString& typed);

    static QString notFoundMessage() { return QStringLiteral("无此销售人员，请重新输入"); }

private:
    std::optional<SalesPerson> fetch(db::Query& query, const QString& text);

    db::Query byCode_;
    db::Query byName_;
};

} // namespace shop::till
