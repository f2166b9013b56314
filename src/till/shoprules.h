// The shop's rules and names as the till reads them once at start-up: the `setting` row and
// the `shop_info` row.
#pragma once

#include "db/connection.h"

#include <QDate>
#include <QString>

namespace shop::till {

struct ShopRules {
    int mindis = 0;
    bool needpsw = false;
    QString viewpsw; // scrambled
    int backupEvery = 0;
    bool discountPolicy = false;
    bool zeromsg = false;
    int addRate = 1;
    bool holidayDouble = false;
    QDate holidayFrom;
    QDate holidayTo;
    bool birthDouble = false;
    bool manjian = false;
    int man = 0;
    int jian = 0;
    bool manjianex = false;
    bool alldiscount = false;
    double allzhekou = 10;
    bool alldiscountex = false;
    bool disdis = false;

    // Reads the row; a stored points ratio of 0 is replaced by 1 in the row as well.
    static ShopRules load(db::Connection& connection);
};

struct ShopNames {
    QString shopname;       // or "店铺会员管理系统"
    QString sid;            // shop id at the cloud, may be empty
    QString receiptTitle;   // or the shop name
    QString receiptWelcome; // or "欢迎惠顾"

    static ShopNames load(db::Connection& connection);
};

// Yes/no columns hold -1 for yes; anything else is no.
inline bool isYes(const QVariant& value) {
    return value.toInt() == -1;
}

} // namespace shop::till
