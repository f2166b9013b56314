#include "support/saledata.h"

#include "till/numtext.h"

namespace shop::test {

using till::Sub;

till::BasketLine saleLine(const LineValues& values) {
    till::BasketLine line;
    line.caption = values.barcode;
    const double amount = values.amount < 0 ? values.price * values.quantity : values.amount;
    line.set(Sub::Name, values.name);
    line.set(Sub::UnitPrice, till::money2(values.price));
    line.set(Sub::MemberPrice, QString());
    line.set(Sub::Discount, QStringLiteral("100"));
    line.set(Sub::Quantity, till::shortNumber(values.quantity));
    line.set(Sub::Amount, till::money2(amount));
    line.set(Sub::CostPrice, till::shortNumber(values.cost));
    line.set(Sub::LineCost, till::money3(values.cost * values.quantity));
    line.set(Sub::NoDiscount, QStringLiteral("0"));
    line.set(Sub::PointsFlag, till::readNumber(values.pointsRatio) >= 1 ? QStringLiteral("-1") : QStringLiteral("0"));
    line.set(Sub::PointsRatio, values.pointsRatio);
    line.set(Sub::GoodsId, values.goodsId);
    line.set(Sub::SpecialFlag, QStringLiteral("0"));
    return line;
}

void addMember(db::Connection& db, const QString& card, double balance, double addup, const QString& mtype) {
    db.exec(QStringLiteral("insert into member(card_id,name,mtype,discount,status,cardtype,count,count_spent,addup,"
                           "exchange,buy_times,balance) values(:c,'会员',:t,100,-1,0,0,0,:a,0,0,:b)"),
            {{QStringLiteral("c"), card},
             {QStringLiteral("t"), mtype},
             {QStringLiteral("a"), addup},
             {QStringLiteral("b"), balance}});
}

qint64 addSalesPerson(db::Connection& db, const QString& name) {
    db.exec(QStringLiteral("insert into sales(sales_No,sales_name,amount) values(:no,:n,0)"),
            {{QStringLiteral("no"), name.left(4)}, {QStringLiteral("n"), name}});
    return db.lastInsertRowId();
}

till::ReceiptValues cashSaleReceipt() {
    till::ReceiptValues v;
    v.title = QStringLiteral("小王子便利店");
    v.welcome = QStringLiteral("欢迎惠顾");
    v.cashier = QStringLiteral("张三");
    v.orderId = QStringLiteral("50304180509");
    v.time = QDateTime(QDate(2015, 3, 4), QTime(18, 5, 9));
    v.totalMoney = 27.5;
    v.payable = 25;
    v.cashGiven = 30;
    v.change = 5;
    v.lines = {saleLine({QStringLiteral("6902"), QStringLiteral("毛巾"), 12.5, 2, 25}),
               saleLine({QStringLiteral("6901"), QStringLiteral("洗发水"), 30, 1, 0})};
    return v;
}

} // namespace shop::test
