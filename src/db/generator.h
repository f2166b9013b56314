// Generated shop data at scale, for benchmarks: goods, members and orders with their lines.
#pragma once

#include "db/connection.h"

#include <QString>

#include <functional>

namespace shop::db {

struct GenOptions {
    qint64 goods = 0;
    qint64 members = 0;
    qint64 orders = 0;
    quint64 seed = 1;
};

struct GenResult {
    qint64 goods = 0;
    qint64 members = 0;
    qint64 orders = 0;
};

// Adds the generated rows to the shop, one transaction per batch. Orders use the shop's goods
// (those just generated, or the existing ones) and lie before today, one receipt per second at
// most. Throws DbError.
GenResult generateShopData(Connection& connection, const GenOptions& options,
                           const std::function<void(const QString&)>& progress = {});

} // namespace shop::db
