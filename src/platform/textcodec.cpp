#include "platform/textcodec.h"

#include <QFile>
#include <QSaveFile>

#include <unicode/ucnv.h>

#include <memory>

namespace shop {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter gb18030() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("GB18030", &status));
    if (U_FAILURE(status))
        return nullptr;
    return converter;
}

} // namespace

QByteArray toGb18030(const QString& text) {
    if (text.isEmpty())
        return {};
    Converter converter = gb18030();
    if (!converter)
        return text.toUtf8();
    UErrorCode status = U_ZERO_ERROR;
    const auto* source = reinterpret_cast<const UChar*>(text.utf16());
    const int needed = ucnv_fromUChars(converter.get(), nullptr, 0, source, int(text.size()), &status);
    QByteArray out(needed, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    ucnv_fromUChars(converter.get(), out.data(), needed, source, int(text.size()), &status);
    return U_SUCCESS(status) ? out : QByteArray();
}

QString fromGb18030(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    Converter converter = gb18030();
    if (!converter)
        return QString::fromLatin1(bytes);
    UErrorCode status = U_ZERO_ERROR;
    const int needed = ucnv_toUChars(converter.get(), nullptr, 0, bytes.constData(), int(bytes.size()), &status);
    QString out(needed, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(out.data()), needed, bytes.constData(),
                  int(bytes.size()), &status);
    return U_SUCCESS(status) ? out : QString();
}

bool isValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int extra = 0;
        unsigned int cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr unsigned int minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromGb18030(bytes);
}

bool readTextFile(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        text.clear();
        return false;
    }
    text = decodeText(file.readAll());
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace shop
