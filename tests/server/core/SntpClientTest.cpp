// The SNTP client: the answer's validity tests, the local laboratory's responder
// in each of its modes, and a real chronyd on a loopback port.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>

#include "server/core/SntpClient.h"
#include "tests/support/CentralLab.h"

using orv::ParseSntpAnswer;
using orv::SntpClient;

namespace {

// A server answer with the given first byte, stratum and transmit seconds (NTP era 0).
std::vector<unsigned char> Packet(unsigned char first, unsigned char stratum, uint32_t seconds, size_t size = 48) {
    std::vector<unsigned char> p(48, 0);
    p[0] = first;
    p[1] = stratum;
    for (int i = 0; i < 4; ++i) p[40 + i] = static_cast<unsigned char>(seconds >> (24 - 8 * i));
    p.resize(size);
    return p;
}

constexpr uint32_t k2022_09_21 = 1663750800u + 2208988800u;  // 09:00 UTC

TEST(SntpAnswer, ValidityTests) {
    struct Case {
        const char* what;
        std::vector<unsigned char> packet;
        bool valid;
    } cases[] = {
        {"good answer", Packet(0x24, 2, k2022_09_21), true},
        {"stratum 15", Packet(0x24, 15, k2022_09_21), true},
        {"47 bytes", Packet(0x24, 2, k2022_09_21, 47), false},
        {"leap indicator 3", Packet(0xE4, 2, k2022_09_21), false},
        {"stratum 0 (kiss of death)", Packet(0x24, 0, k2022_09_21), false},
        {"stratum 16", Packet(0x24, 16, k2022_09_21), false},
        {"zero transmit time", Packet(0x24, 2, 0), false},
    };
    for (const auto& c : cases) {
        const auto a = ParseSntpAnswer(c.packet.data(), c.packet.size());
        EXPECT_TRUE(a.received) << c.what;
        EXPECT_EQ(a.valid, c.valid) << c.what << ": " << a.error;
    }
    const auto good = ParseSntpAnswer(cases[0].packet.data(), 48);
    EXPECT_DOUBLE_EQ(good.unixSeconds, 1663750800.0);
}

TEST(SntpAnswer, TimesAfter2036BelongToTheNextEra) {
    const auto p = Packet(0x24, 2, 1000);
    EXPECT_DOUBLE_EQ(ParseSntpAnswer(p.data(), 48).unixSeconds, 4294967296.0 + 1000 - 2208988800.0);
}

TEST(SntpClientLab, EachModeOfTheResponder) {
    orv::test::CentralLab lab;
    ASSERT_TRUE(lab.Start(orv::test::CentralLabOptions::Fixed("2022-09-21T09:00:00"))) << lab.Error();
    SntpClient client;
    client.host = "127.0.0.1";
    client.port = lab.SntpPort();
    client.timeoutMs = 1500;

    auto a = client.Request();
    ASSERT_TRUE(a.valid) << a.error;
    std::tm fixed{};
    fixed.tm_year = 122, fixed.tm_mon = 8, fixed.tm_mday = 21, fixed.tm_hour = 9, fixed.tm_isdst = -1;
    EXPECT_NEAR(a.unixSeconds, static_cast<double>(std::mktime(&fixed)), 1.0);  // the lab's clock is local time

    ASSERT_TRUE(lab.Control("sntp old"));
    a = client.Request();
    EXPECT_TRUE(a.valid);
    EXPECT_NEAR(a.unixSeconds, 1483228800.0, 1.0);

    for (const char* mode : {"sntp short", "sntp invalid"}) {
        ASSERT_TRUE(lab.Control(mode));
        a = client.Request();
        EXPECT_TRUE(a.received) << mode;
        EXPECT_FALSE(a.valid) << mode;
    }

    ASSERT_TRUE(lab.Control("sntp silent"));
    const auto start = std::chrono::steady_clock::now();
    a = client.Request();
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(a.received);
    EXPECT_GE(took, std::chrono::milliseconds(1400));
    EXPECT_LT(took, std::chrono::seconds(10));

    ASSERT_TRUE(lab.Control("sntp ok"));
    ASSERT_TRUE(lab.Control("clock offset 86400"));
    a = client.Request();
    ASSERT_TRUE(a.valid);
    EXPECT_NEAR(a.unixSeconds, static_cast<double>(std::time(nullptr)) + 86400, 30);
}

TEST(SntpClientLab, AbortEndsTheWait) {
    orv::test::CentralLab lab;
    orv::test::CentralLabOptions options;
    options.faults = {"sntp silent"};
    ASSERT_TRUE(lab.Start(options)) << lab.Error();
    SntpClient client{"127.0.0.1", lab.SntpPort(), 60000};
    std::atomic<bool> abort{true};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Request(&abort).received);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(SntpClientLab, NobodyListeningIsANetworkFailure) {
    SntpClient client{"127.0.0.1", 9, 1000};  // the discard port: nothing answers
    const auto a = client.Request();
    EXPECT_FALSE(a.valid);
    EXPECT_FALSE(a.error.empty());
}

int FreeUdpPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    close(fd);
    return ntohs(addr.sin_port);
}

TEST(SntpClientChrony, RealNtpServerOnALoopbackPort) {
    QString chronyd = QStandardPaths::findExecutable(QStringLiteral("chronyd"),
                                                     {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (chronyd.isEmpty()) GTEST_SKIP() << "chronyd is not installed (Debian package chrony)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int port = FreeUdpPort();
    const std::string d = dir.path().toStdString();
    {
        std::ofstream conf(d + "/chrony.conf");
        conf << "port " << port << "\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 10\ncmdport 0\n"
             << "pidfile " << d << "/chronyd.pid\ndriftfile " << d << "/drift\n";
        if (getuid() != 0) conf << "bindcmdaddress /\n";
    }
    QStringList args{QStringLiteral("-x"), QStringLiteral("-d"), QStringLiteral("-f"),
                     QString::fromStdString(d + "/chrony.conf")};
    if (getuid() != 0) args << QStringLiteral("-U");
    QProcess chrony;
    chrony.start(chronyd, args);
    ASSERT_TRUE(chrony.waitForStarted(10000));

    SntpClient client{"127.0.0.1", port, 1000};
    orv::SntpAnswer a;
    for (int attempt = 0; attempt < 20 && !a.valid; ++attempt) {
        a = client.Request();
        if (!a.valid) std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    chrony.terminate();
    chrony.waitForFinished(10000);
    ASSERT_TRUE(a.valid) << a.error << "; chronyd said: " << chrony.readAllStandardError().toStdString();
    EXPECT_NEAR(a.unixSeconds, static_cast<double>(std::time(nullptr)), 10);
}

}  // namespace
