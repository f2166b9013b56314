// Puts this process into another time zone for the length of a test.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

namespace shop::test {

class TimeZoneGuard {
public:
    explicit TimeZoneGuard(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneGuard() {
        if (had_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }
    TimeZoneGuard(const TimeZoneGuard&) = delete;
    TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

private:
    bool had_;
    QByteArray old_;
};

} // namespace shop::test
