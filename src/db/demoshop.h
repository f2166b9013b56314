// A small believable shop for trying the programs out: goods and service items in categories,
// member and special prices, time-window prices, members of every kind, sales staff and three
// weeks of orders before today.
#pragma once

#include "db/connection.h"

namespace shop::db {

void addDemoShop(Connection& connection);

} // namespace shop::db
