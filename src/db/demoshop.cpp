#include "db/demoshop.h"

#include "platform/clock.h"

#include <QDate>
#include <QDateTime>

#include <cmath>
#include <random>
#include <vector>

namespace shop::db {

namespace {

struct DemoItem {
    const char16_t* barcode;
    const char16_t* goodsNo;
    const char16_t* name;
    int type; // 1 good, 2 service item
    const char16_t* className;
    double price;
    double price2;
    double cost;
    double stock;
    int addupRate;
    int ifdis;
    const char16_t* guige;
    const char16_t* unit;
};

const DemoItem kItems[] = {
    {u"6921168509256", u"YL001", u"农夫山泉饮用天然水550ml", 1, u"饮料", 2.00, 0, 1.10, 240, 1, 0, u"550ml", u"瓶"},
    {u"6954767410388", u"YL002", u"可口可乐330ml", 1, u"饮料", 3.00, 2.80, 1.60, 180, 1, 0, u"330ml", u"罐"},
    {u"6920202888883", u"YL003", u"王老吉凉茶310ml", 1, u"饮料", 4.00, 3.50, 2.20, 96, 1, 0, u"310ml", u"罐"},
    {u"6925303721367", u"YL004", u"统一冰红茶500ml", 1, u"饮料", 3.50, 0, 1.90, 120, 1, 0, u"500ml", u"瓶"},
    {u"6911988008745", u"YL005", u"蒙牛纯牛奶250ml", 1, u"饮料", 3.50, 3.20, 2.30, 72, 1, 0, u"250ml", u"盒"},
    {u"6917878007441", u"YL006", u"雀巢咖啡原味三合一", 1, u"饮料", 1.80, 0, 1.00, 300, 1, 0, u"15g", u"条"},
    {u"6924743915763", u"LS001", u"乐事薯片原味70g", 1, u"零食", 7.50, 6.90, 4.20, 60, 1, 0, u"70g", u"袋"},
    {u"6901668002037", u"LS002", u"奥利奥夹心饼干", 1, u"零食", 8.90, 0, 5.60, 48, 1, 0, u"116g", u"盒"},
    {u"6920912341234", u"LS003", u"旺旺雪饼84g", 1, u"零食", 6.50, 0, 3.80, 40, 1, 0, u"84g", u"袋"},
    {u"6914973600041", u"LS004", u"德芙丝滑牛奶巧克力", 1, u"零食", 12.80, 11.50, 7.90, 36, 1, 0, u"43g", u"块"},
    {u"6923450656181", u"LS005", u"绿箭口香糖", 1, u"零食", 2.50, 0, 1.40, 5, 1, 0, u"5片", u"条"},
    {u"2000000000015", u"LS006", u"散称水果糖", 1, u"零食", 0.00, 0, 0.00, 20, 1, 0, u"散称", u"斤"},
    {u"6922266446702", u"RY001", u"清风原木抽纸三包", 1, u"日用百货", 12.90, 11.90, 8.50, 30, 1, 0, u"3包", u"提"},
    {u"6902088308956", u"RY002", u"舒肤佳纯白香皂", 1, u"日用百货", 5.50, 0, 3.20, 2, 1, 0, u"115g", u"块"},
    {u"6903148091734", u"RY003", u"六神花露水195ml", 1, u"日用百货", 16.80, 15.00, 10.20, 25, 1, 0, u"195ml", u"瓶"},
    {u"6901234567892", u"RY004", u"散装鸡蛋", 1, u"日用百货", 6.80, 0, 5.00, 50.5, 1, 0, u"散称", u"斤"},
    {u"6903148070289", u"XH001", u"海飞丝去屑洗发露400ml", 1, u"洗护用品", 39.90, 36.00, 26.00, 18, 1, 0, u"400ml", u"瓶"},
    {u"6903148126674", u"XH002", u"潘婷乳液修护润发精华素", 1, u"洗护用品", 32.90, 29.90, 21.00, 12, 1, 0, u"400ml", u"瓶"},
    {u"6901294179257", u"XH003", u"云南白药牙膏120g", 1, u"洗护用品", 26.00, 0, 17.50, 24, 1, -1, u"120g", u"支"},
    {u"6910019009834", u"XH004", u"高露洁草本美白牙膏", 1, u"洗护用品", 13.50, 12.00, 8.00, 0, 1, 0, u"140g", u"支"},
    {u"S001", u"FW001", u"洗剪吹", 2, u"美发", 38.00, 30.00, 5.00, 0, 1, 0, u"", u"次"},
    {u"S002", u"FW002", u"男士精剪", 2, u"美发", 48.00, 40.00, 5.00, 0, 1, 0, u"", u"次"},
    {u"S003", u"FW003", u"时尚烫发", 2, u"美发", 268.00, 218.00, 60.00, 0, 1, 0, u"", u"次"},
    {u"S004", u"FW004", u"植物染发", 2, u"美发", 198.00, 168.00, 45.00, 0, 1, 0, u"", u"次"},
    {u"S005", u"FW005", u"头皮养护", 2, u"美发", 158.00, 0, 30.00, 0, 1, 0, u"", u"次"},
    {u"S101", u"MR001", u"面部补水护理", 2, u"美容护理", 128.00, 98.00, 20.00, 0, 1, 0, u"60分钟", u"次"},
    {u"S102", u"MR002", u"深层清洁护理", 2, u"美容护理", 98.00, 78.00, 15.00, 0, 1, 0, u"45分钟", u"次"},
    {u"S103", u"MR003", u"肩颈舒缓按摩", 2, u"美容护理", 88.00, 68.00, 10.00, 0, 1, 0, u"40分钟", u"次"},
    {u"S201", u"MJ001", u"单色美甲", 2, u"美甲", 58.00, 48.00, 8.00, 0, 1, 0, u"", u"次"},
    {u"S202", u"MJ002", u"嫁接美睫", 2, u"美甲", 128.00, 0, 25.00, 0, 1, -1, u"", u"次"},
};

struct DemoMember {
    const char16_t* card;
    const char16_t* name;
    const char16_t* tel;
    const char16_t* birthday; // empty: today's date, so the shop sees a birthday
    int lunar;
    const char16_t* mtype;
    int discount;
    int status;
    int cardtype;
    int count;
    double addup;
    int exchange;
    double balance;
    int validDays; // days from today to the end date; negative: expired
    const char16_t* remark;
};

const DemoMember kMembers[] = {
    {u"A0001", u"张丽华", u"13812345678", u"3月8日", 0, u"金卡", 90, -1, 0, 0, 3260.5, 200, 560.00, 600, u""},
    {u"A0002", u"王建国", u"13900001111", u"11月2日", 0, u"普通卡", 100, -1, 0, 0, 128.0, 0, 0.00, 365, u""},
    {u"A0003", u"李梅", u"15011112222", u"8月15日", -1, u"银卡", 95, -1, 0, 0, 890.0, 0, 120.00, 400, u"农历生日"},
    {u"A0004", u"赵敏", u"18622223333", u"", 0, u"钻石卡", 85, -1, 0, 0, 12050.0, 1000, 2300.00, 900,
     u"老顾客，喜欢安静"},
    {u"A0005", u"陈晓东", u"13733334444", u"6月18日", 0, u"普通卡", 100, 0, 0, 0, 45.0, 0, 0.00, 200, u"卡已挂失"},
    {u"A0006", u"刘洋洋", u"13544445555", u"1月20日", 0, u"银卡", 95, -1, 0, 0, 610.0, 0, 0.00, -30,
     u"卡已过期"},
    {u"A0007", u"孙悦", u"13655556666", u"12月24日", 0, u"金卡", 90, -1, 0, 0, 4200.0, 500, 88.50, 720, u""},
    {u"A0008", u"周小燕", u"18766667777", u"1月8日", -1, u"普通卡", 100, -1, 0, 0, 0.0, 0, 0.00, 365, u""},
    {u"C0001", u"吴婷", u"13977778888", u"5月5日", 0, u"普通卡", 100, -1, -1, 10, 0.0, 0, 0.00, 180,
     u"美甲次卡10次"},
    {u"C0002", u"郑凯", u"13188889999", u"9月9日", 0, u"普通卡", 100, -1, -1, 2, 0.0, 0, 0.00, 90,
     u"按摩次卡，剩2次"},
    {u"A0009", u"冯雪", u"15899990000", u"4月1日", -1, u"银卡", 95, -1, 0, 0, 1520.0, 300, 300.00, 500,
     u"农历生日"},
    {u"A0010", u"何静", u"13300001234", u"7月7日", 0, u"普通卡", 100, -1, 0, 0, 260.0, 0, 50.00, 365, u""},
};

const std::pair<const char16_t*, const char16_t*> kSalesStaff[] = {
    {u"01", u"李娜"}, {u"02", u"王芳"}, {u"03", u"张伟"}, {u"04", u"刘洋"}};

QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}

} // namespace

void addDemoShop(Connection& c) {
    Transaction transaction(c);
    const QDate today = Clock::today();

    c.exec(QStringLiteral("update shop_info set shop_name=:n,print_title=:t,welcome_str=:w"),
           {{QStringLiteral("n"), QStringLiteral("悦然生活馆")},
            {QStringLiteral("t"), QStringLiteral("悦然生活馆")},
            {QStringLiteral("w"), QStringLiteral("谢谢惠顾，欢迎再次光临！")}});
    c.exec(QStringLiteral("update setting set birthdouble=-1"));

    const std::pair<const char16_t*, int> classes[] = {{u"饮料", 0},     {u"零食", 0}, {u"日用百货", 0},
                                                        {u"洗护用品", 0}, {u"美发", 1}, {u"美容护理", 1},
                                                        {u"美甲", 1}};
    for (const auto& [name, type] : classes)
        c.exec(QStringLiteral("insert into g_class(class_name,add_rate,c_type) values(:n,1,:t)"),
               {{QStringLiteral("n"), s(name)}, {QStringLiteral("t"), type}});

    Query goods(c);
    goods.setSql(QStringLiteral(
        "insert into goods(barcode,goods_no,name,g_type,class_name,price,price2,costprice,amount,sold,addup_rate,ifdis,"
        "hide,guige,unit,in_date,remark,ifaddup) values(:barcode,:no,:name,:type,:class,:price,:price2,:cost,:stock,0,"
        ":rate,:ifdis,0,:guige,:unit,:date,'',-1)"));
    std::vector<qint64> goodsIds;
    for (const DemoItem& item : kItems) {
        goods.bindAll({{QStringLiteral("barcode"), s(item.barcode)},
                       {QStringLiteral("no"), s(item.goodsNo)},
                       {QStringLiteral("name"), s(item.name)},
                       {QStringLiteral("type"), item.type},
                       {QStringLiteral("class"), s(item.className)},
                       {QStringLiteral("price"), item.price},
                       {QStringLiteral("price2"), item.price2},
                       {QStringLiteral("cost"), item.cost},
                       // Stock as it stood before the demo's orders, which the lines then lower.
                       {QStringLiteral("stock"), item.type == 1 && item.price > 0 ? item.stock + 40 : item.stock},
                       {QStringLiteral("rate"), item.addupRate},
                       {QStringLiteral("ifdis"), item.ifdis},
                       {QStringLiteral("guige"), s(item.guige)},
                       {QStringLiteral("unit"), s(item.unit)},
                       {QStringLiteral("date"), today.addDays(-40)}});
        goods.exec();
        goodsIds.push_back(c.lastInsertRowId());
    }
    // A good that was sold once and then deleted: kept hidden so old receipts show its name.
    c.exec(QStringLiteral("insert into goods(barcode,goods_no,name,g_type,class_name,price,costprice,amount,hide,"
                          "in_date) values('6900000000017','LS099','旧款小熊饼干',1,'零食',4.50,2.60,0,-1,:d)"),
           {{QStringLiteral("d"), today.addDays(-60)}});

    auto idOf = [&](const char16_t* barcode) {
        for (size_t i = 0; i < std::size(kItems); ++i)
            if (s(kItems[i].barcode) == s(barcode))
                return goodsIds[i];
        return qint64(-1);
    };
    // Special prices.
    const std::pair<const char16_t*, double> specials[] = {
        {u"6954767410388", 2.50}, {u"6924743915763", 5.90}, {u"6903148070289", 29.90}};
    for (const auto& [barcode, price] : specials)
        c.exec(QStringLiteral("insert into tejia(goods_id,tprice) values(:g,:p)"),
               {{QStringLiteral("g"), idOf(barcode)}, {QStringLiteral("p"), price}});
    // Afternoon and morning prices of two services.
    struct Window {
        const char16_t* barcode;
        double price, price2;
        const char* from;
        const char* to;
    };
    const Window windows[] = {{u"S001", 28.00, 25.00, "14:00:00", "17:00:00"},
                              {u"S103", 68.00, 60.00, "10:00:00", "12:00:00"}};
    for (const Window& w : windows)
        c.exec(QStringLiteral("insert into goods_price(goods_id,price,price2,from_time,to_time) values(:g,:p,:p2,:f,:t)"),
               {{QStringLiteral("g"), idOf(w.barcode)},
                {QStringLiteral("p"), w.price},
                {QStringLiteral("p2"), w.price2},
                {QStringLiteral("f"), QString::fromLatin1(w.from)},
                {QStringLiteral("t"), QString::fromLatin1(w.to)}});

    for (const auto& [no, name] : kSalesStaff)
        c.exec(QStringLiteral("insert into sales(sales_No,sales_name,amount,remark) values(:no,:name,0,'')"),
               {{QStringLiteral("no"), s(no)}, {QStringLiteral("name"), s(name)}});

    Query member(c);
    member.setSql(QStringLiteral(
        "insert into member(card_id,name,tel,email,addr,birthday,lunar,mtype,discount,status,fromdate,enddate,cardtype,"
        "count,count_spent,addup,exchange,buy_times,totalrecharge,balance,remark) values(:card,:name,:tel,'',:addr,"
        ":birthday,:lunar,:mtype,:discount,:status,:from,:end,:cardtype,:count,0,:addup,:exchange,0,:balance,:balance,"
        ":remark)"));
    const QString todayBirthday = QStringLiteral("%1月%2日").arg(today.month()).arg(today.day());
    for (const DemoMember& m : kMembers) {
        QString birthday = s(m.birthday);
        if (birthday.isEmpty())
            birthday = todayBirthday;
        member.bindAll({{QStringLiteral("card"), s(m.card)},
                        {QStringLiteral("name"), s(m.name)},
                        {QStringLiteral("tel"), s(m.tel)},
                        {QStringLiteral("addr"), QStringLiteral("幸福路%1号").arg(s(m.tel).right(2))},
                        {QStringLiteral("birthday"), birthday},
                        {QStringLiteral("lunar"), m.lunar},
                        {QStringLiteral("mtype"), s(m.mtype)},
                        {QStringLiteral("discount"), m.discount},
                        {QStringLiteral("status"), m.status},
                        {QStringLiteral("from"), QDateTime(today.addDays(-300), QTime(0, 0))},
                        {QStringLiteral("end"), QDateTime(today.addDays(m.validDays), QTime(0, 0))},
                        {QStringLiteral("cardtype"), m.cardtype},
                        {QStringLiteral("count"), m.count},
                        {QStringLiteral("addup"), m.addup},
                        {QStringLiteral("exchange"), m.exchange},
                        {QStringLiteral("balance"), m.balance},
                        {QStringLiteral("remark"), s(m.remark)}});
        member.exec();
    }

    // Three weeks of orders, the same every time for the same day.
    std::mt19937 random(20150304);
    Query order(c);
    order.setSql(QStringLiteral(
        "insert into orderlist(order_id,card_id,total_cost,total_money,seller,sales_id,order_date,yinlian,cash,send,"
        "weixin,zhifb) values(:id,:card,:cost,:money,:seller,:sales,:date,:yinlian,:cash,0,:weixin,:zhifb)"));
    Query line(c);
    line.setSql(QStringLiteral(
        "insert into order_detail(order_id,barcode,amount,subtotal,goods_id) values(:id,:barcode,:amount,:sub,:goods)"));
    Query memberUpdate(c);
    memberUpdate.setSql(QStringLiteral(
        "update member set buy_times=buy_times+1,addup=addup+:points where card_id=:card COLLATE NOCASE"));
    Query salesUpdate(c);
    salesUpdate.setSql(QStringLiteral("update sales set amount=amount+:m where sales_id=:id"));

    std::vector<size_t> sellable;
    for (size_t i = 0; i < std::size(kItems); ++i)
        if (kItems[i].price > 0)
            sellable.push_back(i);
    for (int day = 21; day >= 1; --day) {
        const QDate date = today.addDays(-day);
        const int orders = 8 + int(random() % 13);
        QTime time(9, 0, 0);
        for (int n = 0; n < orders; ++n) {
            time = time.addSecs(int(600 + random() % 1800));
            const QDateTime when(date, time);
            const QString id = when.toString(QStringLiteral("yyMMddHHmmss")).right(11);
            const bool withMember = random() % 3 == 0;
            const DemoMember& m = kMembers[random() % 4 == 0 ? 6 : random() % 4];
            const int lines = 1 + int(random() % 4);
            double money = 0, cost = 0;
            for (int l = 0; l < lines; ++l) {
                const DemoItem& item = kItems[sellable[random() % sellable.size()]];
                const double qty = item.type == 2 ? 1 : double(1 + random() % 3);
                double unit = withMember && item.price2 > 0 ? item.price2 : item.price;
                if (withMember && item.ifdis == 0 && item.price2 == 0)
                    unit = unit * m.discount / 100.0;
                const double sub = std::round(unit * qty * 100.0) / 100.0;
                money += sub;
                cost += item.cost * qty;
                line.bindAll({{QStringLiteral("id"), id},
                              {QStringLiteral("barcode"), s(item.barcode)},
                              {QStringLiteral("amount"), qty},
                              {QStringLiteral("sub"), sub},
                              {QStringLiteral("goods"), idOf(item.barcode)}});
                line.exec();
            }
            const int means = int(random() % 10);
            const double other = means >= 8 ? money : 0;
            const int salesId = random() % 3 == 0 ? int(1 + random() % std::size(kSalesStaff)) : -1;
            order.bindAll({{QStringLiteral("id"), id},
                           {QStringLiteral("card"), withMember ? s(m.card) : QString()},
                           {QStringLiteral("cost"), cost},
                           {QStringLiteral("money"), money},
                           {QStringLiteral("seller"), n % 2 ? QStringLiteral("收银员") : QStringLiteral("admin")},
                           {QStringLiteral("sales"), salesId},
                           {QStringLiteral("date"), when},
                           {QStringLiteral("yinlian"), other},
                           {QStringLiteral("cash"), money - other},
                           {QStringLiteral("weixin"), means == 9 ? other : 0.0},
                           {QStringLiteral("zhifb"), 0.0}});
            order.exec();
            if (withMember) {
                memberUpdate.bindAll({{QStringLiteral("points"), std::floor(money)}, {QStringLiteral("card"), s(m.card)}});
                memberUpdate.exec();
            }
            if (salesId > 0) {
                salesUpdate.bindAll({{QStringLiteral("m"), money}, {QStringLiteral("id"), salesId}});
                salesUpdate.exec();
            }
        }
    }
    // The drawer's float of the last days.
    for (int day = 3; day >= 1; --day)
        c.exec(QStringLiteral("insert into cashbox(cash_date,chushi,jiezhang,jieyu) values(:d,500,0,0)"),
               {{QStringLiteral("d"), today.addDays(-day)}});
    c.exec(QStringLiteral("insert into recharge_his(card_id,recharge,gifts,seller,recharge_date,remark) "
                          "values('A0004',2000,200,'admin',:d,'充值送10%')"),
           {{QStringLiteral("d"), today.addDays(-15)}});
    transaction.commit();
}

} // namespace shop::db
