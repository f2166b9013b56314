#include "platform/inifile.h"

#include "platform/textcodec.h"

namespace shop {

namespace {

QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"')) ||
                              (value.startsWith(u'\'') && value.endsWith(u'\''))))
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {
    reload();
}

void IniFile::reload() {
    lines_.clear();
    QString text;
    readTextFile(path_, text);
    QString section;
    const QStringList rows = text.split(u'\n');
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QString row = rows.at(i);
        if (row.endsWith(u'\r'))
            row.chop(1);
        if (i == rows.size() - 1 && row.isEmpty())
            break; // the newline at the end of the last line
        Line line{row, section, {}, {}};
        const QString trimmed = row.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed().toLower();
            line.section = section;
        } else if (!trimmed.startsWith(u';') && !trimmed.startsWith(u'#')) {
            const qsizetype eq = row.indexOf(u'=');
            if (eq > 0) {
                line.key = row.left(eq).trimmed().toLower();
                line.value = unquoted(row.mid(eq + 1));
            }
        }
        lines_.push_back(std::move(line));
    }
}

const IniFile::Line* IniFile::find(const QString& section, const QString& key) const {
    const QString s = section.toLower();
    const QString k = key.toLower();
    for (const Line& line : lines_)
        if (!line.key.isEmpty() && line.section == s && line.key == k)
            return &line;
    return nullptr;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const {
    const Line* line = find(section, key);
    return line ? line->value : fallback;
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const Line* line = find(section, key);
    if (!line)
        return fallback;
    bool ok = false;
    QString value = line->value;
    int number = 0;
    if (value.startsWith(u'$'))
        number = value.mid(1).toInt(&ok, 16);
    else if (value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = value.mid(2).toInt(&ok, 16);
    else
        number = value.toInt(&ok, 10);
    return ok ? number : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QStringList IniFile::keys(const QString& section) const {
    QStringList out;
    const QString s = section.toLower();
    for (const Line& line : lines_)
        if (!line.key.isEmpty() && line.section == s)
            out.append(line.text.left(line.text.indexOf(u'=')).trimmed());
    return out;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString s = section.toLower();
    const QString k = key.toLower();
    for (Line& line : lines_) {
        if (!line.key.isEmpty() && line.section == s && line.key == k) {
            // Keep the key as the file spells it.
            const QString name = line.text.left(line.text.indexOf(u'=')).trimmed();
            line.text = name + u'=' + value;
            line.value = value;
            return save();
        }
    }
    // A new key goes at the end of its section; a new section at the end of the file.
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        if (lines_[i].section != s)
            continue;
        if (!lines_[i].text.trimmed().isEmpty())
            insertAt = i + 1;
    }
    if (insertAt < 0) {
        if (!lines_.empty() && !lines_.back().text.trimmed().isEmpty())
            lines_.push_back(Line{QString(), lines_.back().section, {}, {}});
        lines_.push_back(Line{u'[' + section + u']', s, {}, {}});
        insertAt = qsizetype(lines_.size());
    }
    lines_.insert(lines_.begin() + insertAt, Line{key + u'=' + value, s, k, value});
    return save();
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::deleteKey(const QString& section, const QString& key) {
    const QString s = section.toLower();
    const QString k = key.toLower();
    const auto before = lines_.size();
    std::erase_if(lines_, [&](const Line& line) { return !line.key.isEmpty() && line.section == s && line.key == k; });
    return lines_.size() == before || save();
}

bool IniFile::save() const {
    QString text;
    for (const Line& line : lines_) {
        text.append(line.text);
        text.append(u'\n');
    }
    return writeFileAtomically(path_, text.toUtf8());
}

} // namespace shop
