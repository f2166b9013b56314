#include "cloud/cloudconfig.h"

#include "platform/inifile.h"
#include "platform/shopfolder.h"

namespace shop::cloud {

QString CloudConfig::filePath() {
    return AppPath() + QStringLiteral("cloud.ini");
}

CloudConfig CloudConfig::load() {
    // ".invalid" names never resolve (RFC 2606): the defaults keep a fresh shop offline.
    CloudConfig c{QStringLiteral("https://api.shop.invalid"), QStringLiteral("http://probe.shop.invalid/"),
                  QStringLiteral("https://sms.shop.invalid"), QStringLiteral("https://storage.shop.invalid")};
    const IniFile ini(filePath());
    const QString s = QStringLiteral("cloud");
    c.apiBase = ini.readString(s, QStringLiteral("api"), c.apiBase);
    c.probeUrl = ini.readString(s, QStringLiteral("probe"), c.probeUrl);
    c.smsGateway = ini.readString(s, QStringLiteral("sms"), c.smsGateway);
    c.storageBase = ini.readString(s, QStringLiteral("storage"), c.storageBase);
    c.connectTimeoutSeconds = std::max(1, ini.readInteger(s, QStringLiteral("connect_timeout"), 3));
    c.totalTimeoutSeconds = std::max(c.connectTimeoutSeconds, ini.readInteger(s, QStringLiteral("timeout"), 15));
    return c;
}

} // namespace shop::cloud
