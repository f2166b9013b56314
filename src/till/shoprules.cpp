#include "till/shoprules.h"

namespace shop::till {

ShopRules ShopRules::load(db::Connection& connection) {
    ShopRules r;
    db::Query q(connection);
    q.setSql(QStringLiteral("select * from setting limit 1"));
    q.open();
    if (q.eof())
        return r;
    r.mindis = q.value(QStringLiteral("mindis")).toInt();
    r.needpsw = isYes(q.value(QStringLiteral("needpsw")));
    r.viewpsw = q.value(QStringLiteral("viewpsw")).toString();
    r.backupEvery = q.value(QStringLiteral("backup_every")).toInt();
    r.discountPolicy = isYes(q.value(QStringLiteral("discount_policy")));
    r.zeromsg = isYes(q.value(QStringLiteral("zeromsg")));
    r.addRate = q.value(QStringLiteral("add_rate")).toInt();
    r.holidayDouble = isYes(q.value(QStringLiteral("holidaydouble")));
    r.holidayFrom = QDate::fromString(q.value(QStringLiteral("holidayfrom")).toString().left(10), Qt::ISODate);
    r.holidayTo = QDate::fromString(q.value(QStringLiteral("holidayto")).toString().left(10), Qt::ISODate);
    r.birthDouble = isYes(q.value(QStringLiteral("birthdouble")));
    r.manjian = isYes(q.value(QStringLiteral("manjian")));
    r.man = q.value(QStringLiteral("man")).toInt();
    r.jian = q.value(QStringLiteral("jian")).toInt();
    r.manjianex = isYes(q.value(QStringLiteral("manjianex")));
    r.alldiscount = isYes(q.value(QStringLiteral("alldiscount")));
    r.allzhekou = q.value(QStringLiteral("allzhekou")).toDouble();
    r.alldiscountex = isYes(q.value(QStringLiteral("alldiscountex")));
    r.disdis = isYes(q.value(QStringLiteral("disdis")));
    q.close();
    if (r.addRate == 0) {
        connection.exec(QStringLiteral("update setting set add_rate=1"));
        r.addRate = 1;
    }
    return r;
}

ShopNames ShopNames::load(db::Connection& connection) {
    ShopNames n;
    db::Query q(connection);
    q.setSql(QStringLiteral("select * from shop_info limit 1"));
    q.open();
    if (!q.eof()) {
        n.shopname = q.value(QStringLiteral("shop_name")).toString();
        n.sid = q.value(QStringLiteral("shopid")).toString();
        n.receiptTitle = q.value(QStringLiteral("print_title")).toString();
        n.receiptWelcome = q.value(QStringLiteral("welcome_str")).toString();
    }
    if (n.shopname.isEmpty())
        n.shopname = QStringLiteral("店铺会员管理系统");
    if (n.receiptTitle.isEmpty())
        n.receiptTitle = n.shopname;
    if (n.receiptWelcome.isEmpty())
        n.receiptWelcome = QStringLiteral("欢迎惠顾");
    return n;
}

} // namespace shop::till
