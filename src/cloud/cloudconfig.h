// Where the cloud services live: the file "cloud.ini" in the shop folder. A shop without the
// file gets addresses that resolve nowhere, so a fresh shop works offline.
#pragma once

#include <QString>

namespace shop::cloud {

struct CloudConfig {
    QString apiBase;     // the cloud API, e.g. https://api.example.cn
    QString probeUrl;    // plain-HTTP address the till tries to reach to tell whether it is online
    QString smsGateway;  // the SMS gateway
    QString storageBase; // object storage for the database backup
    int connectTimeoutSeconds = 3;
    int totalTimeoutSeconds = 15;

    // Reads AppPath() + "cloud.ini", section "cloud"; missing keys keep the offline defaults.
    static CloudConfig load();
    static QString filePath();
};

} // namespace shop::cloud
