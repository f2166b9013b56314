// The receipt file "output.txt": the last sale's receipt as the receipt printer takes it, with
// the cash-drawer pulse in its first line and the paper cut in its last, in GB18030.
#pragma once

#include "till/receipt/receipttemplate.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace shop::till {

// "output.txt" in `folder`.
QString receiptFilePath(const QString& folder);

// ESC p 0 60 255: pulse the drawer on pin 2 for 120 ms, off for 510 ms.
QByteArray drawerPulse();
// ESC i: cut the paper.
QByteArray paperCut();

// The bytes of the receipt file for a filled receipt text.
QByteArray receiptFileBytes(const QString& filled);

// Fills the template and replaces `path` with the receipt (written beside it, then renamed).
// False when the file could not be written.
bool RenderReceipt(const ReceiptTemplate& receiptTemplate, const ReceiptValues& values, const ReceiptLayout& layout,
                   const QString& path);

// The lines of a receipt file; false when it cannot be read.
bool readReceiptLines(const QString& path, QStringList& lines);

} // namespace shop::till
