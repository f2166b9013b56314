#include "platform/clock.h"

#include <QTimeZone>

#include <atomic>
#include <limits>

namespace shop {

namespace {
// Milliseconds since the epoch of the fixed time; INT64_MIN when the clock runs.
std::atomic<qint64> fixedMs{std::numeric_limits<qint64>::min()};
} // namespace

QDateTime Clock::nowUtc() {
    const qint64 ms = fixedMs.load();
    if (ms != std::numeric_limits<qint64>::min())
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
    return QDateTime::currentDateTimeUtc();
}

QDateTime Clock::now() {
    return nowUtc().toLocalTime();
}

QDate Clock::today() {
    return now().date();
}

QString Clock::localDateTimeText() {
    return now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString Clock::localDateText() {
    return today().toString(QStringLiteral("yyyy-MM-dd"));
}

QString Clock::chinaTimeText() {
    return nowUtc().addSecs(8 * 3600).time().toString(QStringLiteral("HH:mm:ss"));
}

void Clock::setFixed(const QDateTime& utc) {
    fixedMs.store(utc.toMSecsSinceEpoch());
}

void Clock::advance(qint64 seconds) {
    if (isFixed())
        fixedMs.fetch_add(seconds * 1000);
}

void Clock::reset() {
    fixedMs.store(std::numeric_limits<qint64>::min());
}

bool Clock::isFixed() {
    return fixedMs.load() != std::numeric_limits<qint64>::min();
}

} // namespace shop
