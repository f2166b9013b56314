// Setting up a shop folder: the new database with its delivered rows, the backup folder and
// the files the programs expect beside it.
#pragma once

#include "db/connection.h"

#include <QString>

namespace shop::db {

// The accounts a new database is delivered with. The login windows name these passwords.
inline constexpr char16_t kInitialAdminName[] = u"admin";
inline constexpr char16_t kInitialAdminPassword[] = u"8888";
inline constexpr char16_t kInitialCashierName[] = u"收银员";
inline constexpr char16_t kInitialCashierPassword[] = u"888";

// Fills a freshly created database with the rows every installation starts with.
void insertDeliveredRows(Connection& connection);

struct SetupResult {
    bool ok = false;
    QString message;
};

// Creates `folder` when missing, then dat.db with the whole layout and the delivered rows, the
// backup folder, an empty held-sales list and the shipped templates. Refuses when dat.db
// already exists. With `demo`, adds a small believable shop.
SetupResult initShopFolder(const QString& folder, bool demo);

// Opens the shop's database with the program's key, bringing an older layout up to date.
std::unique_ptr<Connection> openShopDatabase(const QString& datPath);

} // namespace shop::db
