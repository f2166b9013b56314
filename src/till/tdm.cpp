#include "till/tdm.h"

#include "cloud/cloudconfig.h"
#include "cloud/netprobe.h"
#include "db/messages.h"
#include "db/schema.h"
#include "db/shopsetup.h"
#include "platform/shopfolder.h"

#include <QFileInfo>

namespace shop::till {

std::unique_ptr<TDM> TDM::DataModuleCreate() {
    if (!QFileInfo::exists(datFilePath())) {
        ShowNotice(QStringLiteral("数据库文件不存在"));
        return nullptr;
    }
    try {
        return std::make_unique<TDM>(db::openShopDatabase(datFilePath()));
    } catch (const db::DbError& e) {
        ShowError(e.message());
        return nullptr;
    }
}

TDM::TDM(std::unique_ptr<db::Connection> connection, bool probeNetwork)
    : ZQuery(*connection), memQuery(*connection), goodsQuery(*connection), tempQuery(*connection),
      tmpQuery(*connection), connection_(std::move(connection)) {
    topUpSchema();
    NetOnline = probeNetwork && CheckOnline();
}

TDM::~TDM() = default;

void TDM::topUpSchema() {
    db::CheckField(*connection_, QStringLiteral("orderlist"), QStringLiteral("send"), QString(),
                   QStringLiteral("smallint"));
    db::CheckField(*connection_, QStringLiteral("orderlist"), QStringLiteral("weixin"), QStringLiteral("0"),
                   QStringLiteral("double"));
    db::CheckField(*connection_, QStringLiteral("orderlist"), QStringLiteral("zhifb"), QStringLiteral("0"),
                   QStringLiteral("double"));
}

bool TDM::CheckOnline() {
    const cloud::CloudConfig config = cloud::CloudConfig::load();
    return cloud::probeConnection(config.probeUrl, config.connectTimeoutSeconds);
}

std::vector<DiscountTier> TDM::discountTiers() {
    std::vector<DiscountTier> tiers;
    db::Query q(*connection_);
    q.setSql(QStringLiteral("select jifen,discount_rate from discount order by rowid"));
    q.open();
    for (; !q.eof(); q.next())
        tiers.push_back(DiscountTier{q.value(0).toInt(), q.value(1).toInt()});
    return tiers;
}

std::vector<SellerAccount> TDM::sellers(int belowAdmin) {
    std::vector<SellerAccount> list;
    db::Query q(*connection_);
    q.setSql(QStringLiteral("select seller,pass,admin from seller where admin<:a order by rowid"));
    q.bind(QStringLiteral("a"), belowAdmin);
    q.open();
    for (; !q.eof(); q.next())
        list.push_back(SellerAccount{q.value(0).toString(), q.value(1).toString(), q.value(2).toInt()});
    return list;
}

QString TDM::storedPassword(const QString& name) {
    return connection_
        ->scalar(QStringLiteral("select pass from seller where seller=:s"), {{QStringLiteral("s"), name}})
        .toString();
}

} // namespace shop::till
