#include "db/schema.h"

#include <functional>

namespace shop::db {

namespace {

// Tables of a new shop, in the order they are created.
const char* const kTables[] = {
    R"(CREATE TABLE IF NOT EXISTS shop_info(
        shop_name text DEFAULT '',
        print_title text DEFAULT '',
        welcome_str text DEFAULT '',
        shopid text DEFAULT '',
        fendian smallint DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS setting(
        mindis integer DEFAULT 0,
        zeromsg smallint DEFAULT 0,
        needpsw smallint DEFAULT 0,
        viewpsw text DEFAULT '',
        add_rate integer DEFAULT 1,
        low_warning integer DEFAULT 5,
        autorun smallint DEFAULT 0,
        discount_policy smallint DEFAULT 0,
        holidaydouble smallint DEFAULT 0,
        holidayfrom date,
        holidayto date,
        birthdouble smallint DEFAULT 0,
        backup_every integer DEFAULT 0,
        manjian smallint DEFAULT 0,
        man integer DEFAULT 0,
        jian integer DEFAULT 0,
        manjianex smallint DEFAULT 0,
        alldiscount smallint DEFAULT 0,
        allzhekou real DEFAULT 10,
        alldiscountex smallint DEFAULT 0,
        disdis smallint DEFAULT 0,
        scurrency text DEFAULT '￥'))",
    R"(CREATE TABLE IF NOT EXISTS seller(
        seller text NOT NULL UNIQUE,
        pass text DEFAULT '',
        admin integer DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS member(
        card_id varchar(20) NOT NULL COLLATE NOCASE,
        name varchar(30),
        tel varchar(30),
        email varchar(30),
        addr varchar(50),
        birthday varchar(10),
        lunar smallint DEFAULT 0,
        mtype varchar(20),
        discount integer DEFAULT 100,
        status smallint DEFAULT -1,
        fromdate datetime,
        enddate datetime,
        cardtype smallint DEFAULT 0,
        count integer DEFAULT 0,
        count_spent integer DEFAULT 0,
        addup real DEFAULT 0,
        exchange integer DEFAULT 0,
        buy_times integer DEFAULT 0,
        totalrecharge real DEFAULT 0,
        balance real DEFAULT 0,
        remark text))",
    R"(CREATE TABLE IF NOT EXISTS mtype(
        type_id integer PRIMARY KEY AUTOINCREMENT,
        mtype varchar(20),
        mrate smallint DEFAULT 100))",
    R"(CREATE TABLE IF NOT EXISTS discount(
        jifen integer DEFAULT 0,
        discount_rate integer DEFAULT 100))",
    R"(CREATE TABLE IF NOT EXISTS g_class(
        class_id integer PRIMARY KEY AUTOINCREMENT,
        class_name text,
        add_rate integer DEFAULT 1,
        c_type integer DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS goods(
        goods_id integer PRIMARY KEY AUTOINCREMENT,
        barcode text,
        goods_no text,
        name text,
        g_type integer DEFAULT 1,
        class_name text,
        price real DEFAULT 0,
        price2 real DEFAULT 0,
        costprice real DEFAULT 0,
        amount real DEFAULT 0,
        sold real DEFAULT 0,
        addup_rate real DEFAULT 1,
        ifdis integer DEFAULT 0,
        hide integer DEFAULT 0,
        guige text,
        unit text,
        in_date date,
        remark text,
        ifaddup integer DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS tejia(
        goods_id integer,
        tprice real DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS orderlist(
        order_id text NOT NULL UNIQUE,
        order_date datetime,
        card_id text,
        seller text,
        sales_id integer DEFAULT -1,
        total_money real DEFAULT 0,
        total_cost real DEFAULT 0,
        cash real DEFAULT 0,
        yinlian real DEFAULT 0,
        weixin double DEFAULT 0,
        zhifb double DEFAULT 0,
        send smallint DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS order_detail(
        detail_id integer PRIMARY KEY AUTOINCREMENT,
        order_id text,
        goods_id integer,
        barcode text,
        amount real DEFAULT 0,
        subtotal real DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS sales(
        sales_id integer PRIMARY KEY AUTOINCREMENT,
        sales_No varchar(10),
        sales_name varchar(16),
        amount real DEFAULT 0,
        remark varchar(30)))",
    R"(CREATE TABLE IF NOT EXISTS recharge_his(
        card_id text,
        recharge real DEFAULT 0,
        gifts real DEFAULT 0,
        seller text,
        recharge_date date,
        remark text))",
    R"(CREATE TABLE IF NOT EXISTS cashbox(
        cash_date date,
        chushi real DEFAULT 0,
        jiezhang real DEFAULT 0,
        jieyu real DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS goodschange(
        change_id integer PRIMARY KEY AUTOINCREMENT,
        barcode text,
        goodsname text,
        amount real DEFAULT 0,
        reason text,
        remark text,
        change_date datetime))",
    R"(CREATE TABLE IF NOT EXISTS dx(
        user text,
        pass text))",
    R"(CREATE TABLE IF NOT EXISTS barcode(
        goods_No text,
        goods_Name text,
        price real DEFAULT 0))",
    R"(CREATE TABLE IF NOT EXISTS supplier(
        sup_id integer PRIMARY KEY AUTOINCREMENT,
        sup_name text,
        tel text,
        addr text,
        remark text))",
    R"(CREATE TABLE IF NOT EXISTS goodsIN(
        in_id integer PRIMARY KEY AUTOINCREMENT,
        goods_id integer,
        pifa_id integer,
        amount real DEFAULT 0,
        costprice real DEFAULT 0,
        in_date datetime))",
};

// Indexes for every lookup the till makes per scan and per card, and for the order lists.
const char* const kIndexes[] = {
    "CREATE INDEX IF NOT EXISTS goods_barcode ON goods(barcode)",
    "CREATE INDEX IF NOT EXISTS goods_goods_no ON goods(goods_no)",
    "CREATE INDEX IF NOT EXISTS goods_name ON goods(name)",
    "CREATE INDEX IF NOT EXISTS member_name ON member(name)",
    "CREATE INDEX IF NOT EXISTS member_tel ON member(tel)",
    "CREATE INDEX IF NOT EXISTS tejia_goods ON tejia(goods_id)",
    "CREATE INDEX IF NOT EXISTS goods_price_goods ON goods_price(goods_id)",
    "CREATE INDEX IF NOT EXISTS orderlist_date ON orderlist(order_date)",
    "CREATE INDEX IF NOT EXISTS orderlist_card ON orderlist(card_id)",
    "CREATE INDEX IF NOT EXISTS orderlist_sales ON orderlist(sales_id)",
    "CREATE INDEX IF NOT EXISTS orderlist_send ON orderlist(send)",
    "CREATE INDEX IF NOT EXISTS order_detail_order ON order_detail(order_id)",
    "CREATE INDEX IF NOT EXISTS recharge_his_card ON recharge_his(card_id)",
    "CREATE INDEX IF NOT EXISTS recharge_his_date ON recharge_his(recharge_date)",
    "CREATE INDEX IF NOT EXISTS cashbox_date ON cashbox(cash_date)",
    "CREATE INDEX IF NOT EXISTS sales_no ON sales(sales_No)",
};

// The goods query finds codes and names without regard to letter case.
const char* const kNoCaseGoodsIndexes[] = {
    "CREATE INDEX IF NOT EXISTS goods_barcode_nocase ON goods(barcode COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS goods_goods_no_nocase ON goods(goods_no COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS goods_name_nocase ON goods(name COLLATE NOCASE)",
};

void createNoCaseGoodsIndexes(Connection& connection) {
    for (const char* sql : kNoCaseGoodsIndexes)
        connection.execScript(QString::fromUtf8(sql));
}

// Stock and sold counts follow the order lines: a sold line lowers a good's stock and raises
// its sold count, a return line (negative quantity) puts both back. Service items have no
// stock and only count what was sold. Counted-card uses (goods_id -1) touch nothing.
const char* const kStockTrigger = R"(CREATE TRIGGER IF NOT EXISTS order_detail_stock
AFTER INSERT ON order_detail
WHEN NEW.goods_id IS NOT NULL AND NEW.goods_id <> -1
BEGIN
    UPDATE goods
       SET amount = ifnull(amount, 0) - CASE WHEN g_type = 2 THEN 0 ELSE ifnull(NEW.amount, 0) END,
           sold = ifnull(sold, 0) + ifnull(NEW.amount, 0)
     WHERE goods_id = NEW.goods_id;
END)";

// Adds to an existing table the columns of the current layout that it lacks, with their
// declared type and default. The current definition is made as a temporary table to read it.
void addMissingColumns(Connection& connection, const QString& createStatement) {
    static const QString prefix = QStringLiteral("CREATE TABLE IF NOT EXISTS ");
    const QString table = createStatement.mid(prefix.size(), createStatement.indexOf(u'(') - prefix.size());
    if (!tableExists(connection, table))
        return;
    QStringList have;
    for (const QString& name : columnNames(connection, table))
        have.append(name.toLower());
    connection.execScript(QStringLiteral("CREATE TEMP TABLE shop_layout_probe") +
                          createStatement.mid(createStatement.indexOf(u'(')));
    Query probe(connection);
    probe.setSql(QStringLiteral("PRAGMA temp.table_info(shop_layout_probe)"));
    probe.open();
    QStringList additions;
    for (; !probe.eof(); probe.next()) {
        const QString name = probe.value(QStringLiteral("name")).toString();
        if (have.contains(name.toLower()) || probe.value(QStringLiteral("pk")).toInt() != 0)
            continue;
        QString add = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                          .arg(table, name, probe.value(QStringLiteral("type")).toString());
        const QVariant dflt = probe.value(QStringLiteral("dflt_value"));
        if (!dflt.isNull())
            add += QStringLiteral(" DEFAULT ") + dflt.toString();
        additions.append(add);
    }
    probe.close();
    connection.execScript(QStringLiteral("DROP TABLE temp.shop_layout_probe"));
    for (const QString& add : additions)
        connection.execScript(add);
}

void createTablesIndexesTriggers(Connection& connection, bool uniqueCardIndex) {
    for (const char* sql : kTables) {
        addMissingColumns(connection, QString::fromUtf8(sql));
        connection.execScript(QString::fromUtf8(sql));
    }
    if (!tableExists(connection, QStringLiteral("services")))
        connection.execScript(servicesCreateStatement());
    if (!tableExists(connection, QStringLiteral("goods_price")))
        connection.execScript(goodsPriceCreateStatement());
    // Card numbers are found without regard to letter case; in a new file they are also unique
    // that way. An older file may hold cards that differ only in case, so it gets a plain index.
    connection.execScript(uniqueCardIndex
                              ? QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS member_card ON member(card_id "
                                               "COLLATE NOCASE)")
                              : QStringLiteral("CREATE INDEX IF NOT EXISTS member_card ON member(card_id COLLATE "
                                               "NOCASE)"));
    for (const char* sql : kIndexes)
        connection.execScript(QString::fromUtf8(sql));
    createNoCaseGoodsIndexes(connection);
    connection.execScript(QString::fromUtf8(kStockTrigger));
}

void setSchemaVersion(Connection& connection, int version) {
    // PRAGMA takes no parameters; the value is our own number, never typed text.
    connection.execScript(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

// One step per layout version: step i brings a file from version i-1 to version i.
const std::function<void(Connection&)> kUpgradeSteps[] = {
    // 0 -> 1: a file from before layout versions: every table, index and trigger that is
    // missing is created; columns the till needs are added by its own start-up.
    [](Connection& c) { createTablesIndexesTriggers(c, false); },
    // 1 -> 2: the goods query's lookups without regard to letter case use indexes.
    [](Connection& c) { createNoCaseGoodsIndexes(c); },
};
static_assert(std::size(kUpgradeSteps) == kSchemaVersion);

} // namespace

QString servicesCreateStatement() {
    return QStringLiteral("Create TABLE services(ser_id integer PRIMARY KEY,sername varchar(20),isuse integer DEFAULT "
                          "0,todate timestamp,\r\nlevel integer DEFAULT 0,fee Double DEFAULT 0,usecount Double DEFAULT "
                          "0,maxcount Double DEFAULT 0,url varchar(50))");
}

QString goodsPriceCreateStatement() {
    return QStringLiteral("Create  TABLE goods_price(\r\n[p_id] integer PRIMARY KEY AUTOINCREMENT,\r\n[goods_id] "
                          "integer,\r\n[price] double DEFAULT 0,\r\n[price2] double DEFAULT 0,\r\n[from_time] "
                          "varchar(10) NOT NULL,\r\n[to_time] varchar(10) NOT NULL\r\n);");
}

void createSchema(Connection& connection) {
    Transaction transaction(connection);
    createTablesIndexesTriggers(connection, true);
    setSchemaVersion(connection, kSchemaVersion);
    transaction.commit();
}

int upgradeSchema(Connection& connection) {
    int version = schemaVersion(connection);
    int steps = 0;
    while (version < kSchemaVersion) {
        Transaction transaction(connection);
        kUpgradeSteps[version](connection);
        ++version;
        setSchemaVersion(connection, version);
        transaction.commit();
        ++steps;
    }
    return steps;
}

int schemaVersion(Connection& connection) {
    return connection.scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

bool tableExists(Connection& connection, const QString& table) {
    return connection
        .scalar(QStringLiteral("select count(*) from sqlite_master where type='table' and tbl_name=:t"),
                {{QStringLiteral("t"), table}})
        .toInt() > 0;
}

QStringList columnNames(Connection& connection, const QString& table) {
    QStringList names;
    Query query(connection);
    // PRAGMA cannot bind its argument; the name is quoted as an identifier instead.
    QString quoted = table;
    quoted.replace(u'"', QLatin1String("\"\""));
    query.setSql(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted));
    query.open();
    for (; !query.eof(); query.next())
        names.append(query.value(QStringLiteral("name")).toString());
    return names;
}

bool CheckField(Connection& connection, const QString& table, const QString& column, const QString& defaultText,
                const QString& type) {
    if (columnNames(connection, table).contains(column, Qt::CaseSensitive))
        return false;
    // Table, column, type and default are the program's own constants, never typed text.
    QString sql = QStringLiteral("ALTER TABLE %1 add %2 %3").arg(table, column, type);
    if (!defaultText.isEmpty())
        sql += QStringLiteral(" DEFAULT ") + defaultText;
    connection.execScript(sql);
    return true;
}

} // namespace shop::db
