// Recording a settled sale: the receipt number, the order row and its lines, the member's points,
// purchases, discount, balance and uses, and the sales person's takings, all in one transaction.
#pragma once

#include "db/connection.h"
#include "till/settle/payment.h"
#include "till/settle/sale.h"
#include "till/shoprules.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

namespace shop::till {

// What will be stored for a sale, worked out before anything is written.
struct PreparedOrder {
    Sale sale;
    QString orderId;      // the receipt number, 11 digits
    double totalCost = 0; // BasketCost
    PaymentSplit split;
    double points = 0; // jf_addup: points earned; 0 without a member
    double uses = 0;   // uses taken off a counted card
};

struct RecordResult {
    bool ok = false;
    QString orderId;
    QString message; // why nothing was stored, for the cashier
};

// The order upload to the cloud, asked between preparing and writing the order. It answers the
// order's `send`: -1 when the cloud accepted the order, 0 when not (it is sent again later).
using UploadOrder = std::function<int(const PreparedOrder&)>;

class OrderRecorder {
public:
    OrderRecorder(db::Connection& connection, const ShopRules& rules);
    ~OrderRecorder();
    OrderRecorder(const OrderRecorder&) = delete;
    OrderRecorder& operator=(const OrderRecorder&) = delete;

    // The receipt number of a time: "yyMMddHHmmss" without its first digit.
    static QString orderNumberAt(const QDateTime& localTime);

    // The receipt number for a sale made now. When that number is already stored (two sales in
    // one second) the number of the next second that is free is used.
    QString newOrderId();

    // Works out the receipt number, cost, payment split and points. Writes nothing.
    PreparedOrder prepare(const Sale& sale);

    // Writes the prepared order in one transaction. When a statement fails the transaction is
    // rolled back, nothing of the sale is stored, and the result says why; the basket stays
    // with the caller for another try.
    RecordResult record(const PreparedOrder& order, int send);

    // prepare, then the upload (none: the till is offline, send 0), then record. `written` gets
    // what was worked out (receipt number, points, split) for the receipt.
    RecordResult settle(const Sale& sale, const UploadOrder& upload = {}, PreparedOrder* written = nullptr);

private:
    void writeOrder(const PreparedOrder& order, int send);

    db::Connection& connection_;
    ShopRules rules_;
    // Statements kept prepared from one sale to the next.
    std::unique_ptr<db::Query> orderInsert_;
    std::unique_ptr<db::Query> lineInsert_;
    std::unique_ptr<db::Query> memberUpdate_;
    std::unique_ptr<db::Query> salesUpdate_;
    std::unique_ptr<db::Query> orderExists_;
};

// The text shown when a sale could not be stored.
QString saleNotStoredMessage(const QString& reason);

} // namespace shop::till
