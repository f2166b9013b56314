// Ringing up in a large shop, on the real till window offscreen: Enter in the barcode field
// until the line is added and the basket of 100 lines recounted, and Enter in the card field
// until the member is attached. Beside each, the same statements run with bare SQLite calls on
// the same file, and on a copy of the file without the shop's indexes.
//   ringup_bench --home DIR --bare DIR [benchmark options]
// DIR of --home holds a generated shop (shopdb gen); --bare gets the copy without indexes.
#include "db/connection.h"
#include "db/shopsetup.h"
#include "platform/clock.h"
#include "platform/recordingseam.h"
#include "platform/shopfolder.h"
#include "till/basket/goodslookup.h"
#include "till/loginform.h"
#include "till/mainform.h"
#include "till/member/memberlookup.h"
#include "till/tdm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

using namespace shop;
using namespace shop::till;

namespace {

constexpr int kBasketLines = 100;

// A statement prepared once and run with bare SQLite calls: bind, step through every row
// reading every column, reset.
class BareStatement {
public:
    BareStatement(sqlite3* db, const QString& sql) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        for (int i = 0; i < sqlite3_column_count(stmt_); ++i)
            if (std::string(sqlite3_column_name(stmt_, i)) == "goods_id")
                idColumn_ = i;
    }
    ~BareStatement() { sqlite3_finalize(stmt_); }
    BareStatement(const BareStatement&) = delete;
    BareStatement& operator=(const BareStatement&) = delete;

    void bind(const char* name, const QByteArray& text) {
        sqlite3_bind_text(stmt_, sqlite3_bind_parameter_index(stmt_, name), text.constData(), int(text.size()),
                          SQLITE_TRANSIENT);
    }
    void bind(const char* name, sqlite3_int64 value) {
        sqlite3_bind_int64(stmt_, sqlite3_bind_parameter_index(stmt_, name), value);
    }
    // Runs the statement; the first row's goods_id (or first column), 0 without a row.
    sqlite3_int64 run() {
        sqlite3_int64 first = 0;
        bool any = false;
        while (sqlite3_step(stmt_) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(stmt_); ++i) {
                switch (sqlite3_column_type(stmt_, i)) {
                case SQLITE_INTEGER:
                    benchmark::DoNotOptimize(sqlite3_column_int64(stmt_, i));
                    break;
                case SQLITE_FLOAT:
                    benchmark::DoNotOptimize(sqlite3_column_double(stmt_, i));
                    break;
                default:
                    benchmark::DoNotOptimize(sqlite3_column_text(stmt_, i));
                    benchmark::DoNotOptimize(sqlite3_column_bytes(stmt_, i));
                }
            }
            if (!any)
                first = sqlite3_column_int64(stmt_, idColumn_);
            any = true;
        }
        sqlite3_reset(stmt_);
        return first;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int idColumn_ = 0;
};

// The same statement prepared, run and finalized each time, as a program without kept
// statements runs it.
sqlite3_int64 runOnce(sqlite3* db, const QString& sql,
                      const std::vector<std::pair<const char*, std::variant<QByteArray, sqlite3_int64>>>& values) {
    BareStatement statement(db, sql);
    for (const auto& [name, value] : values) {
        if (const auto* text = std::get_if<QByteArray>(&value))
            statement.bind(name, *text);
        else
            statement.bind(name, std::get<sqlite3_int64>(value));
    }
    return statement.run();
}

// The statements of one scan and of one card lookup, on one connection.
struct BareLookups {
    explicit BareLookups(sqlite3* db)
        : byBarcode(db, kByBarcode), timePrice(db, kTimePrice), tejia(db, kTejia), byCard(db, kByCard) {}

    void scan(const QByteArray& barcode) {
        byBarcode.bind(":code", barcode);
        const sqlite3_int64 id = byBarcode.run();
        timePrice.bind(":now", Clock::chinaTimeText().toUtf8());
        timePrice.bind(":id", id);
        timePrice.run();
        tejia.bind(":id", id);
        tejia.run();
    }
    void card(const QByteArray& card) {
        byCard.bind(":text", card);
        byCard.run();
    }
    static void scanPreparingEach(sqlite3* db, const QByteArray& barcode) {
        const sqlite3_int64 id = runOnce(db, kByBarcode, {{":code", barcode}});
        runOnce(db, kTimePrice, {{":now", Clock::chinaTimeText().toUtf8()}, {":id", id}});
        runOnce(db, kTejia, {{":id", id}});
    }
    static void cardPreparingEach(sqlite3* db, const QByteArray& card) { runOnce(db, kByCard, {{":text", card}}); }

    static inline const QString kByBarcode = QStringLiteral("select * from goods where hide=0 and barcode=:code");
    static inline const QString kTimePrice = QStringLiteral(
        "select price,price2 from goods_price where :now >= from_time \r\nand :now <= to_time and goods_id=:id");
    static inline const QString kTejia = QStringLiteral("select tprice from tejia where goods_id=:id");
    static inline const QString kByCard =
        QStringLiteral("select *,(addup-exchange)as jifen from member where card_id=:text COLLATE NOCASE");

    BareStatement byBarcode;
    BareStatement timePrice;
    BareStatement tejia;
    BareStatement byCard;
};

struct Shop {
    QString home;
    QString bare;
    std::unique_ptr<ui::RecordingSeam> seam;
    std::unique_ptr<TDM> dm;
    TillSession session;
    std::unique_ptr<TmainForm> form;
    std::vector<QString> barcodes; // the first kBasketLines fill the basket
    std::vector<QString> cards;
    std::unique_ptr<db::Connection> sameFile;
    std::unique_ptr<db::Connection> withoutIndexes;
    std::unique_ptr<BareLookups> bareSame;
    std::unique_ptr<BareLookups> bareWithout;
};

Shop* shopUnderTest = nullptr;

QStringList column(db::Connection& c, const QString& sql, const db::Params& params = {}) {
    db::Query q(c);
    q.setSql(sql);
    q.bindAll(params);
    q.open();
    QStringList values;
    for (; !q.eof(); q.next())
        values.append(q.value(0).toString());
    return values;
}

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "ringup_bench: %s\n", qPrintable(why));
    std::exit(1);
}

void openTill(Shop& s) {
    setAppPath(s.home);
    s.seam = std::make_unique<ui::RecordingSeam>();
    s.dm = std::make_unique<TDM>(db::openShopDatabase(s.home + QStringLiteral("/dat.db")), false);
    s.seam->modals.push_back([](QDialog& dialog) {
        auto& login = dynamic_cast<TloginForm&>(dialog);
        login.Edit1->setText(QString::fromUtf16(db::kInitialCashierPassword));
        login.loginBtn->click();
        return dialog.result();
    });
    s.form = std::make_unique<TmainForm>(*s.dm, s.session);
    if (!s.form->FormCreate())
        fail(QStringLiteral("the cashier could not log in"));
    s.form->show();
    QApplication::setActiveWindow(s.form.get());
    if (!QTest::qWaitForWindowActive(s.form.get()))
        fail(QStringLiteral("the window did not become active"));

    db::Connection& c = s.dm->connection();
    for (const QString& code :
         column(c, QStringLiteral("select barcode from goods where hide=0 and price>0 and barcode like '69%' "
                                  "order by goods_id limit 2100")))
        s.barcodes.push_back(code);
    for (const QString& card :
         column(c,
                QStringLiteral("select card_id from member where status=-1 and cardtype=0 and enddate>=:today "
                               "order by card_id limit 2000"),
                {{QStringLiteral("today"), Clock::today().toString(Qt::ISODate)}}))
        s.cards.push_back(card);
    if (s.barcodes.size() < 2100 || s.cards.size() < 100)
        fail(QStringLiteral("the shop is too small: run shopdb gen first"));

    // The basket of the sale in progress.
    for (int i = 0; i < kBasketLines; ++i) {
        s.form->barcodeinputEdit->setText(s.barcodes[size_t(i)]);
        QTest::keyClick(s.form->barcodeinputEdit, Qt::Key_Return);
    }
    if (s.form->basket().size() != kBasketLines)
        fail(QStringLiteral("the basket did not fill"));
}

void openBareFiles(Shop& s) {
    s.sameFile = db::openShopDatabase(s.home + QStringLiteral("/dat.db"));
    const QString copy = s.bare + QStringLiteral("/dat.db");
    QDir().mkpath(s.bare);
    QFile::remove(copy);
    if (!QFile::copy(s.home + QStringLiteral("/dat.db"), copy))
        fail(QStringLiteral("cannot copy the file to ") + copy);
    s.withoutIndexes = db::openShopDatabase(copy);
    for (const QString& index :
         column(*s.withoutIndexes, QStringLiteral("select name from sqlite_master where type='index' and sql "
                                                  "is not null")))
        s.withoutIndexes->exec(QStringLiteral("drop index \"") + index + u'"');
    if (!column(*s.withoutIndexes, QStringLiteral("select name from sqlite_master where type='index' and sql is "
                                                  "not null"))
             .isEmpty())
        fail(QStringLiteral("indexes left on the copy"));
    s.bareSame = std::make_unique<BareLookups>(s.sameFile->handle());
    s.bareWithout = std::make_unique<BareLookups>(s.withoutIndexes->handle());
}

// Enter in the barcode field: the item is found, its line added and the basket recounted.
void WindowScan(benchmark::State& state) {
    Shop& s = *shopUnderTest;
    TmainForm& form = *s.form;
    size_t next = kBasketLines;
    for (auto _ : state) {
        state.PauseTiming();
        if (form.basket().size() > kBasketLines)
            form.basket().remove(kBasketLines);
        form.barcodeinputEdit->setText(s.barcodes[next]);
        next = next + 1 < s.barcodes.size() ? next + 1 : kBasketLines;
        state.ResumeTiming();
        QTest::keyClick(form.barcodeinputEdit, Qt::Key_Return);
    }
    if (form.basket().size() != kBasketLines + 1 || !form.barcodeinputEdit->text().isEmpty())
        state.SkipWithError("the scanned line was not added");
}

// Enter in the card field: the member is found, checked, shown and the basket priced for them.
void WindowCard(benchmark::State& state) {
    Shop& s = *shopUnderTest;
    TmainForm& form = *s.form;
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.cardNoEdit->setFocus();
        form.cardNoEdit->setText(s.cards[next]);
        next = (next + 1) % s.cards.size();
        state.ResumeTiming();
        QTest::keyClick(form.cardNoEdit, Qt::Key_Return);
    }
    if (!form.ismember)
        state.SkipWithError("no member was attached");
}

// Runs `run` on the codes or cards in turn, one each iteration.
template <typename Run> void inTurn(benchmark::State& state, const std::vector<QString>& keys, Run run) {
    std::vector<QByteArray> texts;
    for (const QString& key : keys)
        texts.push_back(key.toUtf8());
    size_t next = 0;
    for (auto _ : state) {
        run(texts[next]);
        next = (next + 1) % texts.size();
    }
}

void BareScanSameFile(benchmark::State& state) {
    inTurn(state, shopUnderTest->barcodes, [](const QByteArray& code) { shopUnderTest->bareSame->scan(code); });
}
void BareScanPreparedEachTime(benchmark::State& state) {
    inTurn(state, shopUnderTest->barcodes,
           [](const QByteArray& code) { BareLookups::scanPreparingEach(shopUnderTest->sameFile->handle(), code); });
}
// The same statements in one read transaction, as the window runs them.
void BareScanOneRead(benchmark::State& state) {
    inTurn(state, shopUnderTest->barcodes, [](const QByteArray& code) {
        sqlite3* db = shopUnderTest->sameFile->handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        shopUnderTest->bareSame->scan(code);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
}
void BareScanWithoutIndexes(benchmark::State& state) {
    inTurn(state, shopUnderTest->barcodes, [](const QByteArray& code) { shopUnderTest->bareWithout->scan(code); });
}
void BareCardSameFile(benchmark::State& state) {
    inTurn(state, shopUnderTest->cards, [](const QByteArray& card) { shopUnderTest->bareSame->card(card); });
}
void BareCardPreparedEachTime(benchmark::State& state) {
    inTurn(state, shopUnderTest->cards,
           [](const QByteArray& card) { BareLookups::cardPreparingEach(shopUnderTest->sameFile->handle(), card); });
}
void BareCardWithoutIndexes(benchmark::State& state) {
    inTurn(state, shopUnderTest->cards, [](const QByteArray& card) { shopUnderTest->bareWithout->card(card); });
}

// Prints as the console does, and keeps the medians of every benchmark for the closing lines.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    struct Median {
        double real = 0; // microseconds
        double cpu = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    std::map<std::string, Median> medians;
};

void printRatios(const std::map<std::string, MedianReporter::Median>& m) {
    std::printf("\n%-26s %12s %12s\n", "median", "real us", "cpu us");
    for (const auto& [name, median] : m)
        std::printf("%-26s %12.1f %12.1f\n", name.c_str(), median.real, median.cpu);
    const struct {
        const char* what;
        const char* a;
        const char* b;
        const char* goal;
    } ratios[] = {
        {"scan: window / bare, same file, statements prepared each time", "WindowScan", "BareScanPreparedEachTime",
         "limit 1.5"},
        {"scan: window / bare, same file, statements kept prepared", "WindowScan", "BareScanSameFile", "stricter"},
        {"scan: window / bare, same file, kept prepared, in one read", "WindowScan", "BareScanOneRead", "strictest"},
        {"scan: bare without indexes / window", "BareScanWithoutIndexes", "WindowScan", "at least 100"},
        {"card: window / bare, same file, statement prepared each time", "WindowCard", "BareCardPreparedEachTime",
         "limit 1.5"},
        {"card: window / bare, same file, statement kept prepared", "WindowCard", "BareCardSameFile", "stricter"},
        {"card: bare without indexes / window", "BareCardWithoutIndexes", "WindowCard", "at least 100"},
    };
    std::printf("\n%-64s %8s %8s\n", "ratio of medians", "real", "cpu");
    for (const auto& r : ratios) {
        if (!m.count(r.a) || !m.count(r.b))
            continue;
        const auto& a = m.at(r.a);
        const auto& b = m.at(r.b);
        std::printf("%-64s %8.2f %8.2f  %s\n", r.what, a.real / b.real, a.cpu / b.cpu, r.goal);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Shop shop;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == u"--home" && i + 1 < argc)
            shop.home = QString::fromLocal8Bit(argv[++i]);
        else if (arg == u"--bare" && i + 1 < argc)
            shop.bare = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    QApplication app(restCount, rest.data());
    if (shop.home.isEmpty() || shop.bare.isEmpty())
        fail(QStringLiteral("usage: ringup_bench --home DIR --bare DIR [benchmark options]"));
    shopUnderTest = &shop;
    openTill(shop);
    openBareFiles(shop);

    for (auto* bench : {benchmark::RegisterBenchmark("WindowScan", WindowScan),
                        benchmark::RegisterBenchmark("BareScanSameFile", BareScanSameFile),
                        benchmark::RegisterBenchmark("BareScanPreparedEachTime", BareScanPreparedEachTime),
                        benchmark::RegisterBenchmark("BareScanOneRead", BareScanOneRead),
                        benchmark::RegisterBenchmark("WindowCard", WindowCard),
                        benchmark::RegisterBenchmark("BareCardSameFile", BareCardSameFile),
                        benchmark::RegisterBenchmark("BareCardPreparedEachTime", BareCardPreparedEachTime)})
        bench->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
    for (auto* bench : {benchmark::RegisterBenchmark("BareScanWithoutIndexes", BareScanWithoutIndexes),
                        benchmark::RegisterBenchmark("BareCardWithoutIndexes", BareCardWithoutIndexes)})
        bench->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(3)->Iterations(5)->ReportAggregatesOnly(true);

    benchmark::Initialize(&restCount, rest.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter.medians);
    benchmark::Shutdown();
    shop.form.reset();
    return 0;
}
