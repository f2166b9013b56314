// The shop's text scramble and the database password built from it.
#pragma once

#include <QByteArray>
#include <QString>

namespace shop::db {

// Each character becomes the low 8 bits of its code exclusive-or a fixed one-byte key. Applied
// twice it gives back any text of characters with codes up to 255. Stored passwords
// (`seller.pass`, `setting.viewpsw`) are scrambled texts; typed passwords are scrambled before
// they are compared with them.
QString ShowStr(const QString& text);

// The key of the encrypted database file: five characters, unscrambled only here, just before
// a connection is made. Both programs and the shop tool use it.
QByteArray databasePassword();

} // namespace shop::db
