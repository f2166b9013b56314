// The program's one clock. Every "today" and "now" of the shop comes from here, so that tests
// can set the time.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace shop {

class Clock {
public:
    static QDateTime nowUtc();
    // Local wall-clock time of this machine.
    static QDateTime now();
    static QDate today();

    // What SQLite's DATETIME('now','localtime') and DATE('now','localtime') would give.
    static QString localDateTimeText();
    static QString localDateText();
    // What SQLite's time('now','+8 hour') gives: the clock time in China, whatever this
    // machine's time zone.
    static QString chinaTimeText();

    // Tests: stop the clock at `utc` (further calls return it until reset or advanced).
    static void setFixed(const QDateTime& utc);
    static void advance(qint64 seconds);
    static void reset();
    static bool isFixed();
};

} // namespace shop
