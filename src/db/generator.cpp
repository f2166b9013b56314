#include "db/generator.h"

#include "platform/clock.h"

#include <QDate>
#include <QDateTime>

#include <cmath>
#include <random>
#include <vector>

namespace shop::db {

namespace {

const char16_t* const kBrands[] = {u"康师傅", u"统一", u"娃哈哈", u"伊利", u"蒙牛", u"农夫", u"旺旺", u"达利园",
                                   u"立白", u"蓝月亮", u"心相印", u"舒肤佳", u"海飞丝", u"雕牌", u"洽洽", u"良品"};
const char16_t* const kProducts[] = {u"红烧牛肉面", u"矿泉水", u"纯牛奶", u"酸奶", u"饼干", u"薯片", u"洗衣液",
                                     u"抽纸", u"香皂", u"洗发水", u"牙膏", u"瓜子", u"面包", u"果汁", u"绿茶",
                                     u"火腿肠", u"方便粉丝", u"湿巾", u"洗洁精", u"巧克力"};
const char16_t* const kServices[] = {u"洗剪吹", u"精剪", u"烫发", u"染发", u"护理", u"按摩", u"美甲", u"美睫",
                                     u"包厢欢唱", u"私教课", u"足疗", u"修眉"};
const char16_t* const kGoodsClasses[] = {u"饮料", u"零食", u"方便食品", u"乳品", u"日用百货", u"洗护用品",
                                         u"粮油", u"冷冻食品"};
const char16_t* const kServiceClasses[] = {u"美发", u"美容护理", u"美甲", u"娱乐", u"健身"};
const char16_t* const kSurnames[] = {u"王", u"李", u"张", u"刘", u"陈", u"杨", u"黄", u"赵", u"吴", u"周",
                                     u"徐", u"孙", u"马", u"朱", u"胡", u"郭", u"何", u"林", u"高", u"罗"};
const char16_t* const kGiven[] = {u"伟", u"芳", u"娜", u"敏", u"静", u"丽", u"强", u"磊", u"军", u"洋",
                                  u"勇", u"艳", u"杰", u"娟", u"涛", u"明", u"超", u"秀英", u"霞", u"平",
                                  u"刚", u"桂英", u"华", u"婷", u"雪", u"晨", u"欣", u"宇", u"浩", u"琳"};
const char16_t* const kLevels[] = {u"普通卡", u"银卡", u"金卡", u"钻石卡"};
const int kLevelRates[] = {100, 95, 90, 85};

template <typename T, size_t N>
QString pick(std::mt19937_64& random, const T (&list)[N]) {
    return QString::fromUtf16(list[random() % N]);
}

double money(double value) {
    return std::round(value * 100.0) / 100.0;
}

} // namespace

GenResult generateShopData(Connection& c, const GenOptions& options, const std::function<void(const QString&)>& progress) {
    GenResult result;
    std::mt19937_64 random(options.seed);
    const QDate today = Clock::today();
    c.execScript(QStringLiteral("PRAGMA cache_size = -262144"));
    auto say = [&](const QString& text) {
        if (progress)
            progress(text);
    };

    const qint64 batch = 20000;
    const qint64 firstGoodsId =
        c.scalar(QStringLiteral("select ifnull(max(goods_id),0) from goods")).toLongLong() + 1;

    // Goods and service items: nine in ten are goods.
    struct Item {
        qint64 id;
        QString barcode;
        double price;
        double cost;
        int type;
    };
    std::vector<Item> items;
    items.reserve(size_t(options.goods));
    {
        Query insert(c);
        insert.setSql(QStringLiteral(
            "insert into goods(barcode,goods_no,name,g_type,class_name,price,price2,costprice,amount,sold,addup_rate,"
            "ifdis,hide,guige,unit,in_date,remark,ifaddup) values(:barcode,:no,:name,:type,:class,:price,:price2,:cost,"
            ":amount,0,1,:ifdis,0,:guige,:unit,:date,'',-1)"));
        Query tejia(c);
        tejia.setSql(QStringLiteral("insert into tejia(goods_id,tprice) values(:g,:p)"));
        Query window(c);
        window.setSql(QStringLiteral(
            "insert into goods_price(goods_id,price,price2,from_time,to_time) values(:g,:p,:p2,'14:00:00','17:00:00')"));
        for (qint64 done = 0; done < options.goods;) {
            Transaction transaction(c);
            for (qint64 n = 0; n < batch && done < options.goods; ++n, ++done) {
                const bool service = random() % 10 == 0;
                const QString barcode = service ? QStringLiteral("S%1").arg(done + firstGoodsId, 8, 10, QLatin1Char('0'))
                                                : QStringLiteral("69%1").arg(done + firstGoodsId, 11, 10, QLatin1Char('0'));
                const double price = money(service ? 20 + double(random() % 48000) / 100.0
                                                   : 0.5 + double(random() % 19950) / 100.0);
                const double cost = money(price * (0.4 + double(random() % 40) / 100.0));
                const QString name = service ? pick(random, kServices) + QStringLiteral("%1号").arg(done % 97)
                                             : pick(random, kBrands) + pick(random, kProducts) +
                                                   QStringLiteral(" %1g").arg(50 + (done % 40) * 25);
                insert.bindAll({{QStringLiteral("barcode"), barcode},
                                {QStringLiteral("no"), QStringLiteral("G%1").arg(done + firstGoodsId, 7, 10, QLatin1Char('0'))},
                                {QStringLiteral("name"), name},
                                {QStringLiteral("type"), service ? 2 : 1},
                                {QStringLiteral("class"), service ? pick(random, kServiceClasses) : pick(random, kGoodsClasses)},
                                {QStringLiteral("price"), price},
                                {QStringLiteral("price2"), random() % 4 == 0 ? money(price * 0.9) : 0.0},
                                {QStringLiteral("cost"), cost},
                                {QStringLiteral("amount"), service ? 0.0 : double(random() % 500)},
                                {QStringLiteral("ifdis"), random() % 20 == 0 ? -1 : 0},
                                {QStringLiteral("guige"), service ? QString() : QStringLiteral("标准装")},
                                {QStringLiteral("unit"), service ? QStringLiteral("次") : QStringLiteral("件")},
                                {QStringLiteral("date"), today.addDays(-qint64(random() % 1000))}});
                insert.exec();
                const qint64 id = c.lastInsertRowId();
                items.push_back(Item{id, barcode, price, cost, service ? 2 : 1});
                if (random() % 100 == 0) {
                    tejia.bindAll({{QStringLiteral("g"), id}, {QStringLiteral("p"), money(price * 0.8)}});
                    tejia.exec();
                }
                if (random() % 200 == 0) {
                    window.bindAll({{QStringLiteral("g"), id},
                                    {QStringLiteral("p"), money(price * 0.85)},
                                    {QStringLiteral("p2"), money(price * 0.75)}});
                    window.exec();
                }
            }
            transaction.commit();
            say(QStringLiteral("goods %1").arg(done));
        }
        result.goods = options.goods;
    }

    // Members.
    std::vector<QString> cards;
    cards.reserve(size_t(options.members));
    {
        const qint64 firstMember = c.scalar(QStringLiteral("select count(*) from member")).toLongLong() + 1;
        Query insert(c);
        insert.setSql(QStringLiteral(
            "insert into member(card_id,name,tel,email,addr,birthday,lunar,mtype,discount,status,fromdate,enddate,"
            "cardtype,count,count_spent,addup,exchange,buy_times,totalrecharge,balance,remark) values(:card,:name,:tel,"
            "'',:addr,:birthday,:lunar,:mtype,:discount,:status,:from,:end,:cardtype,:count,0,:addup,0,:times,:balance,"
            ":balance,'')"));
        for (qint64 done = 0; done < options.members;) {
            Transaction transaction(c);
            for (qint64 n = 0; n < batch && done < options.members; ++n, ++done) {
                const qint64 number = done + firstMember;
                const QString card = QStringLiteral("M%1").arg(number, 7, 10, QLatin1Char('0'));
                const int level = int(random() % 4);
                const QDate from = today.addDays(-qint64(random() % 1500));
                const bool counted = random() % 20 == 0;
                insert.bindAll({{QStringLiteral("card"), card},
                                {QStringLiteral("name"), pick(random, kSurnames) + pick(random, kGiven) +
                                                             (random() % 2 ? pick(random, kGiven) : QString())},
                                {QStringLiteral("tel"), QStringLiteral("13%1").arg(number * 7919 % 1000000000, 9, 10,
                                                                                   QLatin1Char('0'))},
                                {QStringLiteral("addr"), QStringLiteral("人民路%1号").arg(number % 999 + 1)},
                                {QStringLiteral("birthday"),
                                 QStringLiteral("%1月%2日").arg(1 + random() % 12).arg(1 + random() % 28)},
                                {QStringLiteral("lunar"), random() % 10 == 0 ? -1 : 0},
                                {QStringLiteral("mtype"), QString::fromUtf16(kLevels[level])},
                                {QStringLiteral("discount"), kLevelRates[level]},
                                {QStringLiteral("status"), random() % 50 == 0 ? 0 : -1},
                                {QStringLiteral("from"), QDateTime(from, QTime(0, 0))},
                                {QStringLiteral("end"), QDateTime(from.addDays(365 * 3), QTime(0, 0))},
                                {QStringLiteral("cardtype"), counted ? -1 : 0},
                                {QStringLiteral("count"), counted ? int(random() % 20) : 0},
                                {QStringLiteral("addup"), double(random() % 500000) / 10.0},
                                {QStringLiteral("times"), int(random() % 200)},
                                {QStringLiteral("balance"), random() % 3 == 0 ? money(double(random() % 200000) / 100.0)
                                                                              : 0.0}});
                insert.exec();
                cards.push_back(card);
            }
            transaction.commit();
            say(QStringLiteral("members %1").arg(done));
        }
        result.members = options.members;
    }

    // Orders, spread over the days before today, each at its own second of the business hours
    // (receipt numbers are the time to the second and must not repeat).
    if (options.orders > 0) {
        if (items.empty()) {
            Query all(c);
            all.setSql(QStringLiteral("select goods_id,barcode,price,costprice,g_type from goods where hide=0"));
            all.open();
            for (; !all.eof(); all.next())
                items.push_back(Item{all.value(0).toLongLong(), all.value(1).toString(), all.value(2).toDouble(), all.value(3).toDouble(),
                                     all.value(4).toInt()});
        }
        if (items.empty())
            throw DbError(QStringLiteral("没有商品，无法生成订单"));
        const qint64 days = std::max<qint64>(30, (options.orders + 999) / 1000);
        const qint64 openSeconds = 14 * 3600; // 08:00 to 22:00
        const double step = double(days * openSeconds) / double(options.orders);
        // Generated orders lie before the shop's own, so receipt numbers never meet.
        QDate last = today;
        const QVariant oldest = c.scalar(QStringLiteral("select min(date(order_date)) from orderlist"));
        if (!oldest.isNull())
            last = std::min(last, QDate::fromString(oldest.toString(), QStringLiteral("yyyy-MM-dd")));
        const QDateTime start(last.addDays(-days), QTime(8, 0));

        Query order(c);
        order.setSql(QStringLiteral(
            "insert into orderlist(order_id,card_id,total_cost,total_money,seller,sales_id,order_date,yinlian,cash,"
            "send,weixin,zhifb) values(:id,:card,:cost,:money,:seller,:sales,:date,:yinlian,:cash,:send,:weixin,0)"));
        Query line(c);
        line.setSql(QStringLiteral("insert into order_detail(order_id,barcode,amount,subtotal,goods_id) "
                                   "values(:id,:barcode,:amount,:sub,:goods)"));
        const qint64 salesCount = c.scalar(QStringLiteral("select count(*) from sales")).toLongLong();
        for (qint64 done = 0; done < options.orders;) {
            Transaction transaction(c);
            for (qint64 n = 0; n < batch && done < options.orders; ++n, ++done) {
                const qint64 slot = qint64(double(done) * step) + qint64(random() % qint64(std::max(1.0, step - 1)));
                const QDateTime when = start.addDays(slot / openSeconds).addSecs(slot % openSeconds);
                const QString id = when.toString(QStringLiteral("yyMMddHHmmss")).right(11);
                const int lines = 1 + int(random() % 5);
                double total = 0, cost = 0;
                for (int l = 0; l < lines; ++l) {
                    const Item& item = items[size_t(random() % items.size())];
                    const double qty = item.type == 2 ? 1.0 : double(1 + random() % 3);
                    const double sub = money(item.price * qty);
                    total += sub;
                    cost += item.cost * qty;
                    line.bindAll({{QStringLiteral("id"), id},
                                  {QStringLiteral("barcode"), item.barcode},
                                  {QStringLiteral("amount"), qty},
                                  {QStringLiteral("sub"), sub},
                                  {QStringLiteral("goods"), item.id}});
                    line.exec();
                }
                const bool other = random() % 4 == 0;
                order.bindAll({{QStringLiteral("id"), id},
                               {QStringLiteral("card"), !cards.empty() && random() % 3 == 0
                                                            ? cards[size_t(random() % cards.size())]
                                                            : QString()},
                               {QStringLiteral("cost"), money(cost)},
                               {QStringLiteral("money"), money(total)},
                               {QStringLiteral("seller"), QStringLiteral("收银员")},
                               {QStringLiteral("sales"), salesCount > 0 && random() % 4 == 0
                                                             ? qint64(1 + random() % salesCount)
                                                             : qint64(-1)},
                               {QStringLiteral("date"), when},
                               {QStringLiteral("yinlian"), other ? money(total) : 0.0},
                               {QStringLiteral("cash"), other ? 0.0 : money(total)},
                               {QStringLiteral("send"), -1},
                               {QStringLiteral("weixin"), other && random() % 2 ? money(total) : 0.0}});
                order.exec();
            }
            transaction.commit();
            if (done % 100000 == 0 || done == options.orders)
                say(QStringLiteral("orders %1").arg(done));
        }
        result.orders = options.orders;
    }
    return result;
}

} // namespace shop::db
