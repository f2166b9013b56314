// A settings file of sections and keys, as the till and the console keep them. Section and key
// names are found without regard to letter case; yes/no values are written 1 and 0; the file is
// written as UTF-8 and read as UTF-8 or, for an older file, GB18030. Every write goes to disk at
// once, through a file beside it renamed into place.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace shop {

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& fallback = {}) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    bool hasKey(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;

    // False when the file could not be written.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    bool deleteKey(const QString& section, const QString& key);

    // Reads the file again (another program may have changed it).
    void reload();

private:
    struct Line {
        QString text;    // the line as it stands in the file
        QString section; // lower-case section the line belongs to
        QString key;     // lower-case key, empty for other lines
        QString value;
    };
    const Line* find(const QString& section, const QString& key) const;
    bool save() const;

    QString path_;
    std::vector<Line> lines_;
};

} // namespace shop
