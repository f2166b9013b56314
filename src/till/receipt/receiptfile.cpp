#include "till/receipt/receiptfile.h"

#include "platform/textcodec.h"

#include <QDir>
#include <QFile>

namespace shop::till {

QString receiptFilePath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("output.txt"));
}

QByteArray drawerPulse() {
    // Written as bytes: the last one is 255, which no character of the code page encodes.
    return QByteArray("\x1Bp\x00<\xFF", 5);
}

QByteArray paperCut() {
    return QByteArray("\x1Bi", 2);
}

QByteArray receiptFileBytes(const QString& filled) {
    QByteArray bytes = drawerPulse() + '\n';
    bytes += toGb18030(filled);
    if (!filled.endsWith(u'\n'))
        bytes += '\n';
    bytes += paperCut() + '\n';
    return bytes;
}

bool RenderReceipt(const ReceiptTemplate& receiptTemplate, const ReceiptValues& values, const ReceiptLayout& layout,
                   const QString& path) {
    return writeFileAtomically(path, receiptFileBytes(receiptTemplate.render(values, layout)));
}

bool readReceiptLines(const QString& path, QStringList& lines) {
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = fromGb18030(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines = text.split(u'\n');
    // The break that ends the last line opens no further line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return true;
}

} // namespace shop::till
