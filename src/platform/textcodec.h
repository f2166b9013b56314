// The 8-bit code page of receipts, printer and pole-display bytes (GB18030), and the reading
// of our own text files: UTF-8, or GB18030 when a file is not valid UTF-8.
#pragma once

#include <QByteArray>
#include <QString>

namespace shop {

QByteArray toGb18030(const QString& text);
QString fromGb18030(const QByteArray& bytes);

bool isValidUtf8(const QByteArray& bytes);
// UTF-8 (a byte-order mark is dropped) or, when the bytes are not valid UTF-8, GB18030.
QString decodeText(const QByteArray& bytes);

// Reads a whole text file with decodeText; an unreadable file gives an empty text and false.
bool readTextFile(const QString& path, QString& text);
// Writes `bytes` beside `path` and renames it into place, so the old file stays whole until
// the new one is complete.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace shop
