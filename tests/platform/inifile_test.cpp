#include "platform/inifile.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace shop;

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}
} // namespace

TEST(IniFile, KeysAndSectionsIgnoreLetterCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tillbrook.ini"));
    writeAll(path, "; till settings\n[Cash]\nMaximized=1\nWidth=1024\nprinter=收银打印机\n\n[other]\nx=1\n");
    IniFile ini(path);
    EXPECT_TRUE(ini.readBool(QStringLiteral("cash"), QStringLiteral("maximized"), false));
    EXPECT_EQ(ini.readInteger(QStringLiteral("CASH"), QStringLiteral("WIDTH"), 0), 1024);
    EXPECT_EQ(ini.readString(QStringLiteral("cash"), QStringLiteral("Printer")), QStringLiteral("收银打印机"));
    EXPECT_EQ(ini.readInteger(QStringLiteral("cash"), QStringLiteral("missing"), 7), 7);

    ASSERT_TRUE(ini.writeInteger(QStringLiteral("cash"), QStringLiteral("width"), 800));
    ASSERT_TRUE(ini.writeBool(QStringLiteral("cash"), QStringLiteral("dayin"), true));
    ASSERT_TRUE(ini.writeString(QStringLiteral("new"), QStringLiteral("k"), QStringLiteral("v")));
    const QString text = QString::fromUtf8(readAll(path));
    // The key keeps the file's spelling; the comment and the other section stay.
    EXPECT_TRUE(text.contains(QStringLiteral("Width=800")));
    EXPECT_TRUE(text.contains(QStringLiteral("dayin=1")));
    EXPECT_TRUE(text.contains(QStringLiteral("; till settings")));
    EXPECT_TRUE(text.contains(QStringLiteral("[other]\nx=1")));
    EXPECT_TRUE(text.contains(QStringLiteral("[new]\nk=v")));
    // dayin lands in [Cash], before the blank line.
    EXPECT_LT(text.indexOf(QStringLiteral("dayin=1")), text.indexOf(QStringLiteral("[other]")));

    IniFile again(path);
    EXPECT_EQ(again.readInteger(QStringLiteral("cash"), QStringLiteral("width"), 0), 800);
    EXPECT_FALSE(again.readBool(QStringLiteral("cash"), QStringLiteral("nokey"), false));
}

TEST(IniFile, ReadsAnOlderGb18030File) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cash.ini"));
    writeAll(path, toGb18030(QStringLiteral("[cash]\nprinter=前台打印机\nbianju=3\n")));
    IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("cash"), QStringLiteral("printer")), QStringLiteral("前台打印机"));
    ini.writeInteger(QStringLiteral("cash"), QStringLiteral("bianju"), 5);
    // Written back as UTF-8.
    EXPECT_TRUE(isValidUtf8(readAll(path)));
    EXPECT_EQ(IniFile(path).readString(QStringLiteral("cash"), QStringLiteral("printer")), QStringLiteral("前台打印机"));
}

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedOnWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.ini"));
    IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("cash"), QStringLiteral("jifen"), QStringLiteral("+")), QStringLiteral("+"));
    EXPECT_TRUE(ini.readBool(QStringLiteral("cash"), QStringLiteral("showIco"), true));
    ASSERT_TRUE(ini.writeBool(QStringLiteral("cash"), QStringLiteral("showIco"), false));
    EXPECT_EQ(readAll(path), QByteArray("[cash]\nshowIco=0\n"));
}
