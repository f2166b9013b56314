#include "till/settle/orderrecorder.h"

#include "db/moneytext.h"
#include "platform/clock.h"
#include "till/numtext.h"
#include "till/settle/points.h"

namespace shop::till {

namespace {

const QString kOrderInsert = QStringLiteral(
    "insert into orderlist(order_id,card_id,total_cost,total_money,seller,sales_id,order_date,yinlian,cash,send,"
    "weixin,zhifb) values(:order_id,:card_id,:total_cost,:total_money,:seller,:sales_id,:order_date,:yinlian,:cash,"
    ":send,:weixin,:zhifb)");
const QString kLineInsert = QStringLiteral("insert into order_detail(order_id,barcode,amount,subtotal,goods_id) "
                                           "values(:order_id,:barcode,:amount,:subtotal,:goods_id)");
// Empty counters count as 0, so a member row missing a value still gets the sale. The card
// payment is only taken while the balance covers it.
const QString kMemberUpdate = QStringLiteral(
    "update member set addup=ifNULL(addup,0)+:thistime,buy_times=ifNULL(buy_times,0)+1,discount=:discount,"
    "balance=ifNULL(balance,0)-(:cash2),count=ifNULL(count,0)-(:count),count_spent=ifNULL(count_spent,0)+:count "
    "where card_id=:card_id and (:cash2<=0 or ifNULL(balance,0)-(:cash2)>=-0.005)");
const QString kSalesUpdate =
    QStringLiteral("update sales set amount=ifNULL(amount,0)+:thistime where sales_id=:sales_id");
const QString kOrderExists = QStringLiteral("select count(*) from orderlist where order_id=:order_id");

// A goods id as the line holds it: a whole number, or the text itself when it is not one.
QVariant goodsIdValue(const QString& text) {
    bool ok = false;
    const qint64 id = text.trimmed().toLongLong(&ok);
    return ok ? QVariant(id) : QVariant(text);
}

db::Query& prepared(std::unique_ptr<db::Query>& query, db::Connection& connection, const QString& sql) {
    if (!query) {
        query = std::make_unique<db::Query>(connection);
        query->setSql(sql);
    }
    return *query;
}

} // namespace

QString saleNotStoredMessage(const QString& reason) {
    return QStringLiteral("结算失败，本单没有保存，请重新结算。\n%1").arg(reason);
}

OrderRecorder::OrderRecorder(db::Connection& connection, const ShopRules& rules)
    : connection_(connection), rules_(rules) {}

OrderRecorder::~OrderRecorder() = default;

QString OrderRecorder::orderNumberAt(const QDateTime& localTime) {
    return localTime.toString(QStringLiteral("yyMMddHHmmss")).right(11);
}

QString OrderRecorder::newOrderId() {
    db::Query& exists = prepared(orderExists_, connection_, kOrderExists);
    QDateTime time = Clock::now();
    // Each step is one second later; a shop cannot have sold in every second of a day ahead.
    for (int step = 0; step < 86400; ++step, time = time.addSecs(1)) {
        const QString id = orderNumberAt(time);
        exists.bind(QStringLiteral("order_id"), id);
        exists.open();
        const bool taken = exists.value(0).toInt() > 0;
        exists.close();
        if (!taken)
            return id;
    }
    throw db::DbError(QStringLiteral("没有可用的小票流水号"));
}

PreparedOrder OrderRecorder::prepare(const Sale& sale) {
    PreparedOrder order;
    order.sale = sale;
    order.orderId = newOrderId();
    order.totalCost = BasketCost(sale.lines);
    order.split = splitPayment(sale.payable, sale.card, sale.other, sale.meansLabel);
    if (sale.member) {
        order.points = EarnPoints(sale.lines, rules_, Clock::today(), sale.member->birthdayToday);
        order.uses = countedCardUses(sale);
    }
    return order;
}

void OrderRecorder::writeOrder(const PreparedOrder& order, int send) {
    const Sale& sale = order.sale;
    db::Transaction transaction(connection_);

    db::Query& head = prepared(orderInsert_, connection_, kOrderInsert);
    head.bindAll({{QStringLiteral("order_id"), order.orderId},
                  {QStringLiteral("card_id"), sale.cardText},
                  {QStringLiteral("total_cost"), order.totalCost},
                  {QStringLiteral("total_money"), sale.payable},
                  {QStringLiteral("seller"), sale.cashier},
                  {QStringLiteral("sales_id"), sale.salesId > 0 ? sale.salesId : qint64(-1)},
                  {QStringLiteral("order_date"), Clock::localDateTimeText()},
                  {QStringLiteral("yinlian"), order.split.yinlian},
                  {QStringLiteral("cash"), order.split.cash},
                  {QStringLiteral("send"), send},
                  {QStringLiteral("weixin"), order.split.weixin},
                  {QStringLiteral("zhifb"), order.split.zhifb}});
    head.exec();

    // Bound one by one under their full names: a long basket builds no map per line.
    db::Query& line = prepared(lineInsert_, connection_, kLineInsert);
    for (const BasketLine& l : sale.lines) {
        line.bind(QStringLiteral(":order_id"), order.orderId);
        line.bind(QStringLiteral(":barcode"), l.caption);
        line.bind(QStringLiteral(":amount"), readNumber(l.sub(Sub::Quantity)));
        line.bind(QStringLiteral(":subtotal"), db::MoneyValue(l.sub(Sub::Amount)));
        line.bind(QStringLiteral(":goods_id"), goodsIdValue(l.sub(Sub::GoodsId)));
        line.exec();
    }

    if (sale.member) {
        db::Query& member = prepared(memberUpdate_, connection_, kMemberUpdate);
        member.bindAll({{QStringLiteral("thistime"), order.points},
                        {QStringLiteral("discount"), sale.member->discount},
                        {QStringLiteral("cash2"), order.split.card},
                        {QStringLiteral("count"), order.uses},
                        {QStringLiteral("card_id"), sale.member->cardId}});
        member.exec();
        const int changed = connection_.changes();
        if (changed != 1) {
            const int cards = connection_
                                  .scalar(QStringLiteral("select count(*) from member where card_id=:card_id"),
                                          {{QStringLiteral("card_id"), sale.member->cardId}})
                                  .toInt();
            if (cards == 0)
                throw db::DbError(QStringLiteral("会员卡号%1不存在").arg(sale.member->cardId));
            if (cards > 1)
                throw db::DbError(QStringLiteral("会员卡号%1对应多张会员卡").arg(sale.member->cardId));
            throw db::DbError(cardOverBalanceMessage());
        }
    }

    if (sale.salesId > 0) {
        db::Query& sales = prepared(salesUpdate_, connection_, kSalesUpdate);
        sales.bindAll({{QStringLiteral("thistime"), sale.payable}, {QStringLiteral("sales_id"), sale.salesId}});
        sales.exec();
    }

    transaction.commit();
}

RecordResult OrderRecorder::record(const PreparedOrder& order, int send) {
    RecordResult result;
    result.orderId = order.orderId;
    try {
        writeOrder(order, send);
        result.ok = true;
    } catch (const db::DbError& e) {
        // The transaction guard has rolled the sale back.
        result.message = saleNotStoredMessage(e.message());
    }
    return result;
}

RecordResult OrderRecorder::settle(const Sale& sale, const UploadOrder& upload, PreparedOrder* written) {
    PreparedOrder order;
    try {
        order = prepare(sale);
    } catch (const db::DbError& e) {
        RecordResult result;
        result.message = saleNotStoredMessage(e.message());
        return result;
    }
    const int send = upload ? upload(order) : 0;
    RecordResult result = record(order, send);
    if (written)
        *written = std::move(order);
    return result;
}

} // namespace shop::till
