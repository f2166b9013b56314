// The till's data module: the one connection to the shop database, the named queries every
// window of the till works through, and the values read once at start-up.
#pragma once

#include "db/connection.h"

#include <QString>

#include <memory>
#include <vector>

namespace shop::till {

struct DiscountTier {
    int jifen = 0;
    int discountRate = 100;
};

struct SellerAccount {
    QString name;
    QString pass; // scrambled
    int admin = 0;
};

class TDM {
public:
    // Opens AppPath() + "dat.db": when the file is missing, shows "数据库文件不存在" and returns
    // nothing (the program then ends before any window opens). Otherwise opens the file with
    // the program's key, tops up the columns the till needs and probes the network. Errors of
    // the engine (a wrong key, a damaged file) are shown as its message and return nothing.
    static std::unique_ptr<TDM> DataModuleCreate();
    // Opens an already open connection's module (tests); `probeNetwork` false keeps it offline.
    explicit TDM(std::unique_ptr<db::Connection> connection, bool probeNetwork = true);
    ~TDM();

    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    db::Connection& connection() { return *connection_; }

    // Adds orderlist.send, weixin and zhifb when the file lacks them.
    void topUpSchema();
    // The till's online check: the cloud probe address answers within a few seconds.
    static bool CheckOnline();

    std::vector<DiscountTier> discountTiers();
    // Accounts whose rights level is below `belowAdmin`, in table order.
    std::vector<SellerAccount> sellers(int belowAdmin);
    // The stored (scrambled) password of `name`, empty when there is no such account.
    QString storedPassword(const QString& name);

    bool NetOnline = false;

    // General work: lookups, the settlement.
    db::Query ZQuery;
    // Member lookups of the card field and its picker grid.
    db::Query memQuery;
    // Goods lists of the goods picker grid.
    db::Query goodsQuery;
    // Special-price lookups.
    db::Query tempQuery;
    // Time-window price lookups.
    db::Query tmpQuery;

private:
    std::unique_ptr<db::Connection> connection_;
};

} // namespace shop::till
