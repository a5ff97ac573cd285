// The program without a window on a broker: two instances with two simulated devices
// driven and read through the broker alone, the last will when one is killed, a broker
// that comes late, removal with --mqtt-forget, and the MQTT options it refuses.
#include "BrokerKit.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>

class TstHeadlessMqtt : public QObject
{
    Q_OBJECT
private slots:
    void twoDevicesOnOneBrokerAndTheLastWill();
    void lateBrokerAndForget();
    void refusesBadMqttOptions();

private:
    QProcess *start(const QStringList &args)
    {
        auto *p = new QProcess(this);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("HOME"), QDir::currentPath());
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(TESSARO_BIN), QStringList{QStringLiteral("--headless")} + args);
        return p;
    }
    static void terminate(QProcess *p)
    {
        if (p->state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(p->processId()), SIGTERM);
        if (!p->waitForFinished(15000))
            p->kill();
    }
};

void TstHeadlessMqtt::twoDevicesOnOneBrokerAndTheLastWill()
{
    TestWorkDir dir;
    TestBroker broker;
    QVERIFY(broker.start());
    SimServer simA(QStringLiteral("DV-16"));
    SimServer simB(QStringLiteral("DV-42"));
    QVERIFY(listenOnRandomLoopback(simA));
    QVERIFY(listenOnRandomLoopback(simB));
    BrokerWatch watch;
    QVERIFY(watch.start(broker.port(), {QStringLiteral("#")}));

    QProcess *a = start(
        {"--device", simA.tcpAddress().toString(), "--mqtt", broker.url(), "--friendly-name", "Hall A"});
    QProcess *b = start({"--device", simB.tcpAddress().toString(), "--mqtt", broker.url(), "--mqtt-id",
                         "room-b", "--mqtt-base", "building/room-b"});
    const QString hallA = QStringLiteral("tessaro/hall-a/");
    const QString roomB = QStringLiteral("building/room-b/");
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(hallA + "availability"), QByteArray("online"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(roomB + "availability"), QByteArray("online"), 20000);
    QCOMPARE(QJsonDocument::fromJson(watch.latest(roomB + "state")).object().value("outputs").toInt(), 16);
    QTRY_COMPARE_WITH_TIMEOUT(watch.topics(QStringLiteral("homeassistant/select/tessaro_room-b/")).size(), 16,
                              20000);

    // Each takes its own commands to its own device only.
    QVERIFY(BrokerWatch::publish(broker.port(), hallA + "output/1/input/set", "3"));
    QVERIFY(BrokerWatch::publish(broker.port(), roomB + "route/set", R"({"1": 2, "2": 2})"));
    QTRY_VERIFY_WITH_TIMEOUT(simA.receivedLines().contains(QStringLiteral("SW 3 1")), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(simB.receivedLines().contains(QStringLiteral("SW 2 1 2")), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(hallA + "output/1/input"), QByteArray("3"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(roomB + "output/2/input"), QByteArray("2"), 20000);
    QCOMPARE(watch.latest(hallA + "output/2/input"), QByteArray("2"));
    QVERIFY(simA.receivedLines().filter(QRegularExpression("^SW ")).size() == 1);

    // Killed: the broker says "offline" for it; the other stays.
    a->kill();
    QVERIFY(a->waitForFinished(15000));
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(hallA + "availability"), QByteArray("offline"), 20000);
    QCOMPARE(watch.latest(roomB + "availability"), QByteArray("online"));
    // Stopped: it says "offline" itself and ends normally.
    terminate(b);
    QCOMPARE(b->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest(roomB + "availability"), QByteArray("offline"), 20000);
}

void TstHeadlessMqtt::lateBrokerAndForget()
{
    TestWorkDir dir;
    TestBroker broker;
    QVERIFY(broker.start());
    const quint16 port = broker.port();
    broker.stop();
    SimServer sim(QStringLiteral("DV-16"));
    QVERIFY(listenOnRandomLoopback(sim));
    const QStringList args{"--device", sim.tcpAddress().toString(), "--mqtt", broker.url(), "--mqtt-id",
                           "hall-a"};

    // No broker yet: it keeps trying while it serves the device.
    QProcess *p = start(args);
    QString log;
    QTRY_VERIFY_WITH_TIMEOUT(
        (log += QString::fromUtf8(p->readAllStandardError()), log.contains("trying again")), 20000);
    QCOMPARE(p->state(), QProcess::Running);
    QVERIFY(broker.start(port));
    BrokerWatch watch;
    QVERIFY(watch.start(port, {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
    QTRY_COMPARE_WITH_TIMEOUT(watch.latest("tessaro/hall-a/availability"), QByteArray("online"), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(watch.topics(QStringLiteral("homeassistant/")).size(), 24, 20000);
    terminate(p);

    // Forgotten: nothing of it is left on the broker.
    QProcess *forget = start(args + QStringList{"--mqtt-forget"});
    QVERIFY(forget->waitForFinished(30000));
    QCOMPARE(forget->exitCode(), 0);
    BrokerWatch after;
    QVERIFY(after.start(port, {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
    QVERIFY2(after.retained().isEmpty(), qPrintable(after.retained().keys().join(' ')));
}

void TstHeadlessMqtt::refusesBadMqttOptions()
{
    TestWorkDir dir;
    const QList<QStringList> bad = {
        {"--device", "127.0.0.1", "--mqtt", "tcp://broker:1883"},
        {"--device", "127.0.0.1", "--mqtt", "mqtt://"},
        {"--device", "127.0.0.1", "--mqtt", "mqtt://127.0.0.1", "--mqtt-ca", "ca.pem"},
        {"--device", "127.0.0.1", "--mqtt", "mqtts://127.0.0.1", "--mqtt-ca", "no-such-ca.pem"},
        {"--device", "127.0.0.1", "--mqtt", "mqtt://127.0.0.1", "--mqtt-id", "Hall A"},
        {"--device", "127.0.0.1", "--mqtt", "mqtt://127.0.0.1", "--mqtt-base", "tessaro/#"},
        {"--device", "127.0.0.1", "--mqtt-forget"},
    };
    for (const QStringList &args : bad) {
        QProcess *q = start(args);
        QVERIFY(q->waitForFinished(15000));
        QVERIFY2(q->exitCode() == 2, qPrintable(args.join(' ')));
        QVERIFY2(q->readAllStandardError().contains("mqtt"), qPrintable(args.join(' ')));
    }
}

QTEST_GUILESS_MAIN(TstHeadlessMqtt)
#include "tst_headless_mqtt.moc"
