#include "db/textscramble.h"

namespace shop::db {

namespace {

constexpr char16_t kScrambleKey = 0x5A;

// The database password as stored: already scrambled, so the clear text never stands in the
// program file.
constexpr char16_t kStoredPassword[] = {0x29, 0x32, 0x35, 0x2A, 0x6B};

} // namespace

QString ShowStr(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out.append(QChar(char16_t((c.unicode() & 0xFF) ^ kScrambleKey)));
    return out;
}

QByteArray databasePassword() {
    return ShowStr(QString::fromUtf16(kStoredPassword, std::size(kStoredPassword))).toUtf8();
}

} // namespace shop::db
