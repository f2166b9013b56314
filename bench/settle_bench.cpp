// Settling a 50-line member sale with a sales person (OrderRecorder) against the same inserts
// and updates in one transaction made directly on the SQLite interface, on the same encrypted
// shop file on disk. Both wait for the same disk syncs at COMMIT; the difference is our code.
//   build/bench/settle_bench [--benchmark_repetitions=N]
#include "db/shopsetup.h"
#include "platform/clock.h"
#include "platform/shopfolder.h"
#include "till/numtext.h"
#include "till/settle/orderrecorder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>

using namespace shop;
using namespace shop::till;

namespace {

constexpr int kLines = 50;

struct Shop {
    QTemporaryDir dir{QStringLiteral("settle-bench-XXXXXX")};
    std::unique_ptr<db::Connection> db;
    Sale sale;

    Shop() {
        const db::SetupResult setup = db::initShopFolder(dir.path(), false);
        if (!setup.ok)
            throw db::DbError(setup.message);
        setAppPath(dir.path());
        db = db::openShopDatabase(datFilePath());
        db::Transaction t(*db);
        for (int i = 0; i < kLines; ++i)
            db->exec(QStringLiteral("insert into goods(barcode,name,price,costprice,amount,addup_rate) "
                                    "values(:b,:n,:p,:c,1000000,10)"),
                     {{QStringLiteral("b"), QStringLiteral("69000000%1").arg(i, 5, 10, QLatin1Char('0'))},
                      {QStringLiteral("n"), QStringLiteral("商品%1").arg(i)},
                      {QStringLiteral("p"), 10.0 + i},
                      {QStringLiteral("c"), 6.0 + i}});
        db->exec(QStringLiteral("insert into member(card_id,name,balance,addup,buy_times,count,count_spent) "
                                "values('VIP001','会员',1e12,0,0,0,0)"));
        db->exec(QStringLiteral("insert into sales(sales_No,sales_name,amount) values('01','小王',0)"));
        t.commit();

        double payable = 0;
        for (int i = 0; i < kLines; ++i) {
            BasketLine line;
            const double price = 10.0 + i;
            line.caption = QStringLiteral("69000000%1").arg(i, 5, 10, QLatin1Char('0'));
            line.subs = {QStringLiteral("商品%1").arg(i),
                         money2(price),
                         QString(),
                         QStringLiteral("100"),
                         QStringLiteral("2"),
                         money2(2 * price),
                         shortNumber(6.0 + i),
                         money3(2 * (6.0 + i)),
                         QStringLiteral("0"),
                         QStringLiteral("-1"),
                         QStringLiteral("10"),
                         QString::number(i + 1),
                         QStringLiteral("0")};
            sale.lines.push_back(line);
            payable += 2 * price;
        }
        sale.payable = payable;
        sale.card = 100;
        sale.cardText = QStringLiteral("VIP001");
        sale.member = SaleMember{QStringLiteral("VIP001"), 95, false};
        sale.salesId = 1;
        sale.cashier = QStringLiteral("收银员");
    }
};

Shop& shopFile() {
    static Shop shop;
    return shop;
}

void settleWithOrderRecorder(benchmark::State& state) {
    Shop& shop = shopFile();
    // The clock goes on from run to run, so no run meets the numbers of an earlier one.
    static const bool clockSet = (Clock::setFixed(QDateTime(QDate(2015, 3, 4), QTime(8, 0, 0)).toUTC()), true);
    (void)clockSet;
    OrderRecorder recorder(*shop.db, ShopRules::load(*shop.db));
    for (auto _ : state) {
        Clock::advance(1); // one sale a second: every receipt number is free at once
        const RecordResult r = recorder.settle(shop.sale);
        if (!r.ok)
            state.SkipWithError(r.message.toStdString().c_str());
    }
}

// The same statements with the same values, prepared once, bound and stepped by hand.
class RawStatements {
public:
    explicit RawStatements(sqlite3* db) : db_(db) {
        order_ = prepare("insert into orderlist(order_id,card_id,total_cost,total_money,seller,sales_id,order_date,"
                         "yinlian,cash,send,weixin,zhifb) values(?,?,?,?,?,?,?,?,?,?,?,?)");
        line_ = prepare("insert into order_detail(order_id,barcode,amount,subtotal,goods_id) values(?,?,?,?,?)");
        member_ = prepare("update member set addup=ifNULL(addup,0)+?1,buy_times=ifNULL(buy_times,0)+1,discount=?2,"
                          "balance=ifNULL(balance,0)-(?3),count=ifNULL(count,0)-(?4),count_spent=ifNULL(count_spent,0)"
                          "+?4 where card_id=?5 and (?3<=0 or ifNULL(balance,0)-(?3)>=-0.005)");
        sales_ = prepare("update sales set amount=ifNULL(amount,0)+?1 where sales_id=?2");
    }
    ~RawStatements() {
        for (sqlite3_stmt* s : {order_, line_, member_, sales_})
            sqlite3_finalize(s);
    }

    void settle(const char* orderId, const Sale& sale) {
        exec("BEGIN IMMEDIATE");
        sqlite3_bind_text(order_, 1, orderId, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(order_, 2, "VIP001", -1, SQLITE_STATIC);
        sqlite3_bind_double(order_, 3, 2000);
        sqlite3_bind_double(order_, 4, sale.payable);
        sqlite3_bind_text(order_, 5, "收银员", -1, SQLITE_STATIC);
        sqlite3_bind_int64(order_, 6, 1);
        sqlite3_bind_text(order_, 7, "2015-03-04 08:00:00", -1, SQLITE_STATIC);
        sqlite3_bind_double(order_, 8, 0);
        sqlite3_bind_double(order_, 9, sale.payable - 100);
        sqlite3_bind_int64(order_, 10, 0);
        sqlite3_bind_double(order_, 11, 0);
        sqlite3_bind_double(order_, 12, 0);
        step(order_);
        for (int i = 0; i < kLines; ++i) {
            char barcode[32];
            std::snprintf(barcode, sizeof barcode, "69000000%05d", i);
            sqlite3_bind_text(line_, 1, orderId, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(line_, 2, barcode, -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(line_, 3, 2);
            sqlite3_bind_double(line_, 4, 2 * (10.0 + i));
            sqlite3_bind_int64(line_, 5, i + 1);
            step(line_);
        }
        sqlite3_bind_double(member_, 1, sale.payable / 10);
        sqlite3_bind_double(member_, 2, 95);
        sqlite3_bind_double(member_, 3, 100);
        sqlite3_bind_double(member_, 4, 0);
        sqlite3_bind_text(member_, 5, "VIP001", -1, SQLITE_STATIC);
        step(member_);
        sqlite3_bind_double(sales_, 1, sale.payable);
        sqlite3_bind_int64(sales_, 2, 1);
        step(sales_);
        exec("COMMIT");
    }

private:
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK)
            throw db::DbError(QString::fromUtf8(sqlite3_errmsg(db_)));
        return s;
    }
    void step(sqlite3_stmt* s) {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE)
            throw db::DbError(QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    void exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw db::DbError(QString::fromUtf8(sqlite3_errmsg(db_)));
    }

    sqlite3* db_;
    sqlite3_stmt* order_ = nullptr;
    sqlite3_stmt* line_ = nullptr;
    sqlite3_stmt* member_ = nullptr;
    sqlite3_stmt* sales_ = nullptr;
};

void settleWithRawStatements(benchmark::State& state) {
    Shop& shop = shopFile();
    RawStatements raw(shop.db->handle());
    static long long serial = 0;
    for (auto _ : state) {
        char orderId[32];
        std::snprintf(orderId, sizeof orderId, "9%010lld", ++serial);
        raw.settle(orderId, shop.sale);
    }
}

} // namespace

BENCHMARK(settleWithOrderRecorder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(settleWithRawStatements)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
