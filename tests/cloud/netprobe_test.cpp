#include "cloud/cloudconfig.h"
#include "cloud/netprobe.h"
#include "support/shopfixture.h"
#include "till/tdm.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>

#include <httplib.h>

#include <gtest/gtest.h>

#include <thread>

using namespace shop;

namespace {
void writeCloudIni(const QString& folder, const QByteArray& body) {
    QFile ini(folder + QStringLiteral("cloud.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(body);
}
} // namespace

TEST(NetProbe, AFreshShopIsOffline) {
    test::TempShop shop;
    EXPECT_TRUE(cloud::CloudConfig::load().probeUrl.contains(QStringLiteral(".invalid")));
    EXPECT_FALSE(till::TDM::CheckOnline());
}

TEST(NetProbe, OnlineWhenTheProbeAddressAnswers) {
    test::TempShop shop;
    httplib::Server server;
    server.Get("/", [](const httplib::Request&, httplib::Response& res) { res.set_content("ok", "text/plain"); });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    writeCloudIni(shop.folder(), QByteArray("[cloud]\nprobe=http://127.0.0.1:") + QByteArray::number(port) + "/\n");
    EXPECT_TRUE(till::TDM::CheckOnline());
    server.stop();
    serving.join();
}

TEST(NetProbe, AProbeThatNeverAnswersGivesUpWithinTheTimeOut) {
    test::TempShop shop;
    // A listening socket that accepts nothing and answers nothing.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    writeCloudIni(shop.folder(), QByteArray("[cloud]\nconnect_timeout=1\nprobe=http://127.0.0.1:") +
                                     QByteArray::number(silent.serverPort()) + "/\n");
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(till::TDM::CheckOnline());
    EXPECT_LT(timer.elapsed(), 5000);
}
