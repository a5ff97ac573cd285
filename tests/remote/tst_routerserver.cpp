// The router-protocol server against the simulated device: the status dump, routing that
// is reported only once the device reports it, labels, locks, and the server's limits.
#include "AppContext.h"
#include "OutputLocks.h"
#include "RemoteClientModel.h"
#include "RouterServer.h"
#include "RouterTestClient.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class TstRouterServer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void statusDumpDescribesTheDevice_data();
    void statusDumpDescribesTheDevice();
    void absentDeviceRefusesRoutingAndIsAnnouncedWhenItComes();
    void routingGoesOutAsOneLinePerInputAndComesBackFromTheReport();
    void ignoredRoutingLeavesClientsWithTheOldRouting();
    void labelsAreTheChannelNames();
    void locksRefuseOtherClientsAndTheScreens();
    void malformedRequestsAreRefusedAndNeverReachTheDevice();
    void seventeenthClientIsClosedAtOnce();
    void clientThatStopsReadingIsDropped();

private:
    void connectDevice(const QString &model);
    std::unique_ptr<RouterTestClient> client(bool waitForPrelude = true);
    QStringList deviceRoutingLines() const;

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
    std::unique_ptr<AppContext> _ctx;
    std::unique_ptr<RouterServer> _server;
};

void TstRouterServer::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>();
    QVERIFY(listenOnRandomLoopback(*_sim));
    _ctx = std::make_unique<AppContext>();
    ConnectionTimings t;
    t.firstQueriesDelayMs = 20;
    _ctx->setConnectionTimings(t);
    _ctx->init();
    _server = std::make_unique<RouterServer>(_ctx.get());
    QVERIFY(_server->listen(QStringLiteral("127.0.0.1"), 0));
}

void TstRouterServer::cleanup()
{
    _server.reset();
    _ctx.reset();
    _sim.reset();
    _dir.reset();
}

void TstRouterServer::connectDevice(const QString &model)
{
    _sim->setModel(model);
    QSignalSpy sws(_ctx.get(), &AppContext::swsChanged);
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_COMPARE_WITH_TIMEOUT(_ctx->mode(), model, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(sws.count() > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("GetBeepEn")), 10000);
}

std::unique_ptr<RouterTestClient> TstRouterServer::client(bool waitForPrelude)
{
    auto c = std::make_unique<RouterTestClient>();
    if (!c->connectTo(_server->serverPort()))
        return nullptr;
    if (waitForPrelude && c->waitFor(QStringLiteral("END PRELUDE")) < 0)
        return nullptr;
    return c;
}

QStringList TstRouterServer::deviceRoutingLines() const
{
    QStringList sw;
    for (const QString &l : _sim->receivedLines())
        if (l.startsWith(QLatin1String("SW")))
            sw.append(l);
    return sw;
}

void TstRouterServer::statusDumpDescribesTheDevice_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("ports");
    QTest::newRow("4 x 4") << QStringLiteral("DV-16") << 4;
    QTest::newRow("36 x 36") << QStringLiteral("DV-52") << 36;
}

void TstRouterServer::statusDumpDescribesTheDevice()
{
    QFETCH(QString, model);
    QFETCH(int, ports);
    connectDevice(model);
    _ctx->setChannelName(true, 2, QStringLiteral("Lectern PC"));
    auto c = client();
    QVERIFY(c);
    QCOMPARE(c->headers(), (QStringList{"PROTOCOL PREAMBLE", "VIDEOHUB DEVICE", "INPUT LABELS", "OUTPUT LABELS",
                                        "VIDEO OUTPUT LOCKS", "VIDEO OUTPUT ROUTING", "END PRELUDE"}));
    QCOMPARE(c->blocks[0].lines, QStringList{"Version: 2.8"});
    const QStringList device = c->blocks[1].lines;
    QVERIFY(device.contains("Device present: true"));
    QVERIFY(device.contains(QStringLiteral("Video inputs: %1").arg(ports)));
    QVERIFY(device.contains(QStringLiteral("Video outputs: %1").arg(ports)));
    QVERIFY(device.contains("Video monitoring outputs: 0"));
    QVERIFY(device.contains(QStringLiteral("Unique ID: ") + _server->uniqueId()));
    QCOMPARE(c->blocks[2].lines.size(), ports);
    QCOMPARE(c->blocks[2].lines.at(1), QStringLiteral("1 Lectern PC"));
    QCOMPARE(c->blocks[2].lines.at(0), QStringLiteral("0 1")); // unnamed: its number
    QCOMPARE(c->blocks[4].lines.size(), ports);
    QVERIFY(c->blocks[4].lines.filter(QStringLiteral(" U")).size() == ports);
    // The simulator starts routed one to one.
    QCOMPARE(c->blocks[5].lines.size(), ports);
    QCOMPARE(c->blocks[5].lines.last(), QStringLiteral("%1 %1").arg(ports - 1));
    // The same device over the same link keeps its ID.
    const QString id = _server->uniqueId();
    RouterServer again(_ctx.get());
    QCOMPARE(again.uniqueId(), id);
}

void TstRouterServer::absentDeviceRefusesRoutingAndIsAnnouncedWhenItComes()
{
    auto c = client();
    QVERIFY(c);
    QVERIFY(c->blocks[1].lines.contains("Device present: false"));
    QVERIFY(c->blocks[1].lines.contains("Video inputs: 0"));
    QVERIFY(c->blocks[2].lines.isEmpty());
    QCOMPARE(c->request("VIDEO OUTPUT ROUTING:\n0 0\n\n"), QStringLiteral("NAK"));
    QCOMPARE(c->request("INPUT LABELS:\n0 Camera\n\n"), QStringLiteral("NAK"));

    const int from = c->blocks.size();
    connectDevice(QStringLiteral("DV-16"));
    const int dev = c->waitFor(QStringLiteral("VIDEOHUB DEVICE"), from);
    QVERIFY(dev >= 0);
    QVERIFY(c->blocks[dev].lines.contains("Device present: true"));
    // Labels, locks and the routing follow; the routing as soon as the device reported it.
    QVERIFY(c->waitFor(QStringLiteral("VIDEO OUTPUT ROUTING"), dev) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(c->headers(dev).filter("VIDEO OUTPUT ROUTING").size() >= 1, 5000);

    const int gone = c->blocks.size();
    _ctx->disconnectTerminal();
    const int absent = c->waitFor(QStringLiteral("VIDEOHUB DEVICE"), gone);
    QVERIFY(absent >= 0);
    QVERIFY(c->blocks[absent].lines.contains("Device present: false"));
}

void TstRouterServer::routingGoesOutAsOneLinePerInputAndComesBackFromTheReport()
{
    connectDevice(QStringLiteral("DV-16"));
    auto a = client();
    auto b = client();
    QVERIFY(a && b);
    _sim->clearReceived();
    // Hold the device's answer back: nothing may reach the clients before it.
    _sim->setReplyDelay(300);
    const int fromA = a->blocks.size(), fromB = b->blocks.size();
    QCOMPARE(a->request("VIDEO OUTPUT ROUTING:\n0 3\n2 1\n1 3\n\n"), QStringLiteral("ACK"));
    QTRY_COMPARE_WITH_TIMEOUT(deviceRoutingLines(), (QStringList{"SW 2 3", "SW 4 1 2"}), 5000);
    QCOMPARE(a->headers(fromA), QStringList{"ACK"});
    QVERIFY(b->headers(fromB).isEmpty());

    // Each routing report brings the outputs it changed, and only those.
    const auto reported = [](const RouterTestClient *c, int from) {
        QStringList lines;
        for (int i = from; i < c->blocks.size(); ++i)
            if (c->blocks.at(i).header == QLatin1String("VIDEO OUTPUT ROUTING"))
                lines += c->blocks.at(i).lines;
        lines.sort();
        return lines;
    };
    QTRY_COMPARE_WITH_TIMEOUT(reported(a.get(), fromA), (QStringList{"0 3", "1 3", "2 1"}), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(reported(b.get(), fromB), (QStringList{"0 3", "1 3", "2 1"}), 5000);
    // A route made on the switching screen reaches every client the same way.
    const int next = b->blocks.size();
    _ctx->sendCmd_SW(1, QJsonArray{4});
    const int i = b->waitFor(QStringLiteral("VIDEO OUTPUT ROUTING"), next);
    QVERIFY(i >= 0);
    QCOMPARE(b->blocks[i].lines, QStringList{"3 0"});
}

void TstRouterServer::ignoredRoutingLeavesClientsWithTheOldRouting()
{
    connectDevice(QStringLiteral("DV-16"));
    auto c = client();
    QVERIFY(c);
    _sim->setIgnoreRouting(true);
    _sim->clearReceived();
    const int from = c->blocks.size();
    QCOMPARE(c->request("VIDEO OUTPUT ROUTING:\n1 3\n\n"), QStringLiteral("ACK"));
    QTRY_COMPARE_WITH_TIMEOUT(deviceRoutingLines(), QStringList{"SW 4 2"}, 5000);
    // The device reports its routing again: unchanged, so nothing goes out.
    QSignalSpy sws(_ctx.get(), &AppContext::swsChanged);
    _ctx->sendCmd_GetSW();
    QVERIFY(sws.wait(5000));
    QCOMPARE(c->request("VIDEO OUTPUT ROUTING:\n\n"), QStringLiteral("ACK"));
    const int i = c->waitFor(QStringLiteral("VIDEO OUTPUT ROUTING"), from);
    QVERIFY(i >= 0);
    QCOMPARE(c->headers(from), (QStringList{"ACK", "ACK", "VIDEO OUTPUT ROUTING"}));
    QVERIFY(c->blocks[i].lines.contains("1 1"));
}

void TstRouterServer::labelsAreTheChannelNames()
{
    connectDevice(QStringLiteral("DV-16"));
    auto a = client();
    auto b = client();
    QVERIFY(a && b);
    const int from = b->blocks.size();
    QCOMPARE(a->request("INPUT LABELS:\n1 Camera\x07 two\n3 \xe8\xae\xb2\xe5\x8f\xb0\n\n"), QStringLiteral("ACK"));
    const int i = b->waitFor(QStringLiteral("INPUT LABELS"), from);
    QVERIFY(i >= 0);
    QCOMPARE(b->blocks[i].lines, (QStringList{"1 Camera two", QStringLiteral("3 讲台")}));
    QCOMPARE(_ctx->channelLabel(true, 2), QStringLiteral("Camera two"));
    const QJsonObject stored = QJsonDocument::fromJson(_dir->read(QStringLiteral("setting.data"))).object();
    QCOMPARE(stored.value("in").toObject().value("002").toString(), QStringLiteral("Camera two"));

    // A name given in the panel goes to every client; a cleared one shows the number.
    const int next = a->blocks.size();
    _ctx->setChannelName(false, 1, QStringLiteral("Stage"));
    int j = a->waitFor(QStringLiteral("OUTPUT LABELS"), next);
    QVERIFY(j >= 0);
    QCOMPARE(a->blocks[j].lines, QStringList{"0 Stage"});
    QCOMPARE(a->request("OUTPUT LABELS:\n0 \n\n"), QStringLiteral("ACK"));
    j = a->waitFor(QStringLiteral("OUTPUT LABELS"), j + 1);
    QVERIFY(j >= 0);
    QCOMPARE(a->blocks[j].lines, QStringList{"0 1"});
}

void TstRouterServer::locksRefuseOtherClientsAndTheScreens()
{
    connectDevice(QStringLiteral("DV-16"));
    auto a = client();
    auto b = client();
    QVERIFY(a && b);
    int fromB = b->blocks.size();
    QCOMPARE(a->request("VIDEO OUTPUT LOCKS:\n0 O\n\n"), QStringLiteral("ACK"));
    int i = b->waitFor(QStringLiteral("VIDEO OUTPUT LOCKS"), fromB);
    QVERIFY(i >= 0);
    QCOMPARE(b->blocks[i].lines, QStringList{"0 L"});
    i = a->waitFor(QStringLiteral("VIDEO OUTPUT LOCKS"), 6);
    QCOMPARE(a->blocks[i].lines, QStringList{"0 O"});

    _sim->clearReceived();
    QCOMPARE(b->request("VIDEO OUTPUT ROUTING:\n0 2\n\n"), QStringLiteral("NAK"));
    QCOMPARE(b->request("VIDEO OUTPUT LOCKS:\n0 U\n\n"), QStringLiteral("NAK"));
    QCOMPARE(a->request("VIDEO OUTPUT ROUTING:\n0 2\n\n"), QStringLiteral("ACK"));
    QTRY_COMPARE_WITH_TIMEOUT(deviceRoutingLines(), QStringList{"SW 3 1"}, 5000);

    // The screens: the locked output is left out, "One To One" is not sent at all.
    QSignalSpy refused(_ctx.get(), &AppContext::routingRefused);
    _ctx->sendCmd_SW(2, QJsonArray{1, 2});
    _ctx->sendCmd_SWOTO();
    QCOMPARE(refused.count(), 2);
    QCOMPARE(refused.at(0).at(0).toList(), QVariantList{1});
    QCOMPARE(refused.at(1).at(1).toBool(), true);
    QTRY_COMPARE_WITH_TIMEOUT(deviceRoutingLines(), (QStringList{"SW 3 1", "SW 2 2"}), 5000);

    // The lock outlives its client until forced open.
    a.reset();
    QTRY_COMPARE_WITH_TIMEOUT(_server->clients()->rowCount(), 1, 5000);
    QVERIFY(_ctx->locks()->isLocked(1));
    fromB = b->blocks.size();
    QCOMPARE(b->request("VIDEO OUTPUT LOCKS:\n0 F\n\n"), QStringLiteral("ACK"));
    i = b->waitFor(QStringLiteral("VIDEO OUTPUT LOCKS"), fromB);
    QVERIFY(i >= 0);
    QCOMPARE(b->blocks[i].lines, QStringList{"0 U"});
    QCOMPARE(b->request("VIDEO OUTPUT LOCKS:\n0 L\n\n"), QStringLiteral("ACK")); // "L" takes it too
    QCOMPARE(_ctx->locks()->holder(1).startsWith(QLatin1String("router client 127.0.0.1:")), true);
}

void TstRouterServer::malformedRequestsAreRefusedAndNeverReachTheDevice()
{
    connectDevice(QStringLiteral("DV-16"));
    auto c = client();
    QVERIFY(c);
    _sim->clearReceived();
    const QByteArray refused[] = {
        "VIDEO OUTPUT ROUTING:\n0 " + QByteArray(2000, '1') + "\n\n",
        "VIDEO OUTPUT ROUTING:\n4 0\n\n",
        "VIDEO OUTPUT ROUTING:\n0 4\n\n",
        "VIDEO OUTPUT ROUTING:\n0 -1\n\n",
        "VIDEO OUTPUT ROUTING:\n0 1\n1 x\n\n", // one bad line spoils the block
        "VIDEO OUTPUT ROUTING:\n0 1 ; SWOTO\n\n",
        "VIDEO OUTPUT ROUTING:\n0 1\n0 1\n0 1\n0 1\n0 1\n\n", // more lines than outputs
        "VIDEO OUTPUT LOCKS:\n0 X\n\n",
        "OUTPUT LABELS:\n4 Nowhere\n\n",
        "SERIAL PORT ROUTING:\n0 1\n\n",
        "VIDEOHUB DEVICE:\nDevice present: false\n\n",
        "hello\n\n",
    };
    for (const QByteArray &r : refused)
        QCOMPARE(c->request(r), QStringLiteral("NAK"));
    QCOMPARE(c->request("PING:\n\n"), QStringLiteral("ACK"));
    _ctx->sendCmd_Ping();
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("PING")), 5000);
    QVERIFY(deviceRoutingLines().isEmpty());
}

void TstRouterServer::seventeenthClientIsClosedAtOnce()
{
    std::vector<std::unique_ptr<RouterTestClient>> clients;
    for (int i = 0; i < RouterServer::kMaxClients; ++i) {
        clients.push_back(client());
        QVERIFY(clients.back());
    }
    QSignalSpy log(_server.get(), &RouterServer::logLine);
    RouterTestClient extra;
    QVERIFY(extra.connectTo(_server->serverPort()));
    QTRY_COMPARE_WITH_TIMEOUT(extra.socket.state(), QAbstractSocket::UnconnectedState, 5000);
    QVERIFY(extra.blocks.isEmpty());
    QVERIFY(log.count() >= 1);
    QVERIFY(log.last().at(0).toString().contains(QLatin1String("refused")));
    QCOMPARE(clients.front()->request("PING:\n\n"), QStringLiteral("ACK"));
}

void TstRouterServer::clientThatStopsReadingIsDropped()
{
    connectDevice(QStringLiteral("DV-52"));
    _server->setMaxPendingBytes(64 * 1024);
    // A client that never reads, with a small receive window so the kernel holds little.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    int small = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(_server->serverPort());
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QCOMPARE(::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    auto reader = client();
    QVERIFY(reader);
    QTRY_COMPARE_WITH_TIMEOUT(_server->clients()->rowCount(), 2, 5000);
    // Every label change goes to both; the reader keeps up and gets every answer.
    for (int round = 0; round < 400 && _server->clients()->rowCount() == 2; ++round) {
        QByteArray labels = "INPUT LABELS:\n"; // every label changes every time
        for (int i = 0; i < 36; ++i)
            labels += QByteArray::number(i) + ' ' + QByteArray(900, char('a' + (i + round) % 26)) + '\n';
        QCOMPARE(reader->request(labels + "\n"), QStringLiteral("ACK"));
    }
    QCOMPARE(_server->clients()->rowCount(), 1);
    QCOMPARE(reader->request("PING:\n\n"), QStringLiteral("ACK"));
    ::close(fd);
}

QTEST_GUILESS_MAIN(TstRouterServer)
#include "tst_routerserver.moc"
