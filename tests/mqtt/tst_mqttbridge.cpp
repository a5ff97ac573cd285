// The MQTT bridge between the simulated device and a real Mosquitto broker, read and
// driven through mosquitto_sub and mosquitto_pub: retained state and Home Assistant
// discovery, commands that reach the device as its lines while the topics follow only
// its reports, refused commands, broker and device restarts, and removal.
#include "AppContext.h"
#include "BrokerKit.h"
#include "MqttBridge.h"
#include "OutputLocks.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <memory>

namespace {
const QString kBase = QStringLiteral("tessaro/hall-a/");
const QString kNode = QStringLiteral("tessaro_hall-a");

QJsonObject json(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}
} // namespace

class TstMqttBridge : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void retainedStateAndDiscoveryDescribeTheDevice();
    void commandsBecomeDeviceLinesAndTopicsFollowOnlyReports();
    void badRetainedAndLockedCommandsNeverReachTheDevice();
    void brokerAndDeviceFailAndRecoverIndependently();
    void removalClearsDiscoveryAndRetainedTopics();
    void tlsNeedsTheBrokersCaAndNeverSpins();

private:
    void connectDevice(const QString &model);
    void startBridge(bool discovery = true);
    QJsonObject state() { return json(_watch->latest(kBase + QStringLiteral("state"))); }
    QStringList deviceLines(const QStringList &commands) const;
    void publish(const QString &suffix, const QByteArray &payload, bool retain = false)
    {
        QVERIFY(BrokerWatch::publish(_broker->port(), kBase + suffix, payload, retain));
    }

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
    std::unique_ptr<AppContext> _ctx;
    std::unique_ptr<TestBroker> _broker;
    std::unique_ptr<MqttBridge> _bridge;
    std::unique_ptr<BrokerWatch> _watch;
    MqttBridge::Config _cfg;
};

void TstMqttBridge::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3.3"));
}

void TstMqttBridge::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>();
    QVERIFY(listenOnRandomLoopback(*_sim));
    _ctx = std::make_unique<AppContext>();
    ConnectionTimings t;
    t.firstQueriesDelayMs = 20;
    _ctx->setConnectionTimings(t);
    _ctx->init();
    _broker = std::make_unique<TestBroker>();
    QVERIFY(_broker->start());
    _bridge = std::make_unique<MqttBridge>(_ctx.get());
    _watch = std::make_unique<BrokerWatch>();
    QVERIFY(_watch->start(_broker->port(), {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
}

void TstMqttBridge::cleanup()
{
    _watch.reset();
    _bridge.reset();
    _ctx.reset();
    _sim.reset();
    _broker.reset();
    _dir.reset();
}

void TstMqttBridge::connectDevice(const QString &model)
{
    _sim->setModel(model);
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_COMPARE_WITH_TIMEOUT(_ctx->mode(), model, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("GetBeepEn")), 10000);
}

void TstMqttBridge::startBridge(bool discovery)
{
    _cfg = MqttBridge::Config();
    QString why;
    QVERIFY2(MqttAddress::parseUrl(_broker->url(), &_cfg.url, &why), qPrintable(why));
    _cfg.name = QStringLiteral("Hall A");
    _cfg.discovery = discovery;
    _cfg.retryMinMs = 50;
    _cfg.retryMaxMs = 400;
    QVERIFY(_bridge->start(_cfg));
    QCOMPARE(_bridge->baseTopic(), QStringLiteral("tessaro/hall-a"));
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + QStringLiteral("availability")), QByteArray("online"),
                              10000);
}

QStringList TstMqttBridge::deviceLines(const QStringList &commands) const
{
    QStringList lines;
    for (const QString &l : _sim->receivedLines())
        if (commands.contains(l.section(QLatin1Char(' '), 0, 0)))
            lines.append(l);
    return lines;
}

void TstMqttBridge::retainedStateAndDiscoveryDescribeTheDevice()
{
    connectDevice(QStringLiteral("DV-16"));
    _ctx->setChannelName(true, 2, QStringLiteral("Lectern PC"));
    QJsonObject settings = _ctx->setting();
    settings.insert(QStringLiteral("sence"), QJsonObject{{QStringLiteral("003"), QStringLiteral("Lecture")}});
    _ctx->setSetting(settings);
    startBridge();

    // A client that comes later gets everything from the broker's store.
    BrokerWatch late;
    QVERIFY(late.start(_broker->port(), {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
    QHash<QString, QByteArray> kept = late.retained();
    QCOMPARE(kept.value(kBase + QStringLiteral("availability")), QByteArray("online"));
    const QJsonObject st = json(kept.value(kBase + QStringLiteral("state")));
    QCOMPARE(st.value("model").toString(), QStringLiteral("DV-16"));
    QCOMPARE(st.value("link").toString(), QStringLiteral("up"));
    QCOMPARE(st.value("inputs").toInt(), 4);
    QCOMPARE(st.value("outputs").toInt(), 4);
    QCOMPARE(st.value("routing").toArray(), (QJsonArray{1, 2, 3, 4})); // the simulator starts one to one
    QCOMPARE(st.value("enabled").toArray(), (QJsonArray{true, true, true, true}));
    QCOMPARE(st.value("input_names").toArray().at(1).toString(), QStringLiteral("Lectern PC"));
    for (int o = 1; o <= 4; ++o) {
        const QString out = kBase + QStringLiteral("output/%1/").arg(o);
        QCOMPARE(kept.value(out + "input"), QByteArray::number(o));
        QCOMPARE(kept.value(out + "enabled"), QByteArray("ON"));
    }

    // Discovery: a select and a switch per output, a button per scene slot, one device.
    QStringList selects, switches, buttons;
    QSet<QString> uniqueIds;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        if (!it.key().startsWith(QLatin1String("homeassistant/")))
            continue;
        const QStringList levels = it.key().split('/');
        QCOMPARE(levels.size(), 5);
        QCOMPARE(levels.at(2), kNode);
        QCOMPARE(levels.at(4), QStringLiteral("config"));
        const QJsonObject c = json(it.value());
        QVERIFY2(!c.value("name").toString().isEmpty(), qPrintable(it.key()));
        uniqueIds.insert(c.value("unique_id").toString());
        QCOMPARE(c.value("availability_topic").toString(), kBase + QStringLiteral("availability"));
        QCOMPARE(c.value("payload_available").toString(), QStringLiteral("online"));
        QCOMPARE(c.value("payload_not_available").toString(), QStringLiteral("offline"));
        const QJsonObject dev = c.value("device").toObject();
        QCOMPARE(dev.value("identifiers").toArray(), QJsonArray{kNode});
        QCOMPARE(dev.value("name").toString(), QStringLiteral("Hall A"));
        QCOMPARE(dev.value("model").toString(), QStringLiteral("DV-16"));
        QCOMPARE(dev.value("manufacturer").toString(), QStringLiteral("Tessaro"));
        QCOMPARE(dev.value("sw_version").toString(), QStringLiteral("1.2.3.3"));
        const QString command = c.value("command_topic").toString();
        if (levels.at(1) == QLatin1String("select")) {
            selects.append(levels.at(3));
            QCOMPARE(c.value("options").toArray(), (QJsonArray{"1", "Lectern PC", "3", "4"}));
            // The state it points at is one of its options.
            const QString shown = QString::fromUtf8(kept.value(c.value("state_topic").toString()));
            QVERIFY2(c.value("options").toArray().contains(shown), qPrintable(shown));
            QVERIFY(command.startsWith(kBase + QStringLiteral("output/")) && command.endsWith("/input/set"));
        } else if (levels.at(1) == QLatin1String("switch")) {
            switches.append(levels.at(3));
            QCOMPARE(c.value("payload_on").toString(), QStringLiteral("ON"));
            QCOMPARE(c.value("payload_off").toString(), QStringLiteral("OFF"));
            QCOMPARE(c.value("state_on").toString(), QStringLiteral("ON"));
            QCOMPARE(c.value("state_off").toString(), QStringLiteral("OFF"));
            QCOMPARE(kept.value(c.value("state_topic").toString()), QByteArray("ON"));
            QVERIFY(command.endsWith("/enabled/set"));
        } else {
            QCOMPARE(levels.at(1), QStringLiteral("button"));
            buttons.append(levels.at(3));
            QCOMPARE(command, kBase + QStringLiteral("scene/recall"));
            if (c.value("payload_press").toString() == QLatin1String("3"))
                QCOMPARE(c.value("name").toString(), QStringLiteral("Lecture"));
        }
    }
    QCOMPARE(selects.size(), 4);
    QCOMPARE(switches.size(), 4);
    QCOMPARE(buttons.size(), 16);
    QCOMPARE(uniqueIds.size(), 24);
    for (const auto &m : late.messages())
        QVERIFY2(m.retained || m.topic.startsWith("probe/"), qPrintable(m.topic));

    // Renaming an input changes every select's options and the shown name.
    _ctx->setChannelName(true, 1, QStringLiteral("Camera"));
    const QString select1 = QStringLiteral("homeassistant/select/%1/output_1_input/config").arg(kNode);
    QTRY_COMPARE_WITH_TIMEOUT(json(_watch->latest(select1)).value("options").toArray(),
                              (QJsonArray{"Camera", "Lectern PC", "3", "4"}), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "output/1/input/name"), QByteArray("Camera"), 10000);
    QCOMPARE(_watch->latest(kBase + "output/1/input"), QByteArray("1"));
}

void TstMqttBridge::commandsBecomeDeviceLinesAndTopicsFollowOnlyReports()
{
    connectDevice(QStringLiteral("DV-16"));
    _ctx->setChannelName(true, 2, QStringLiteral("Lectern PC"));
    startBridge(false);

    // A device that ignores the routing: the line goes out, the topics keep the old input
    // through the next routing report.
    _sim->setIgnoreRouting(true);
    _sim->clearReceived();
    publish("output/2/input/set", "3");
    QTRY_COMPARE_WITH_TIMEOUT(deviceLines({"SW"}), QStringList{"SW 3 2"}, 10000);
    QSignalSpy sws(_ctx.get(), &AppContext::swsChanged);
    _ctx->sendCmd_GetSW();
    QVERIFY(sws.wait(10000));
    _ctx->setChannelName(false, 2, QStringLiteral("Stage")); // a later state document
    QTRY_COMPARE_WITH_TIMEOUT(state().value("output_names").toArray().at(1).toString(),
                              QStringLiteral("Stage"), 10000);
    QCOMPARE(state().value("routing").toArray().at(1).toInt(), 2);
    QCOMPARE(_watch->latest(kBase + "output/2/input"), QByteArray("2"));

    // A device that routes: its report moves the topics.
    _sim->setIgnoreRouting(false);
    _sim->clearReceived();
    publish("output/4/input/set", "Lectern PC");
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "output/4/input"), QByteArray("2"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "output/4/input/name"), QByteArray("Lectern PC"), 10000);
    QCOMPARE(deviceLines({"SW"}), QStringList{"SW 2 4"});

    publish("output/3/enabled/set", "OFF");
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "output/3/enabled"), QByteArray("OFF"), 10000);
    QCOMPARE(deviceLines({"SetOutput"}), QStringList{"SetOutput 3 0"});
    QTRY_COMPARE_WITH_TIMEOUT(state().value("enabled").toArray(), (QJsonArray{true, true, false, true}),
                              10000);

    // Several outputs at once: the fewest routing lines, inputs ascending.
    _sim->clearReceived();
    publish("route/set", R"({"1": 4, "2": 4, "3": "Lectern PC"})");
    QTRY_COMPARE_WITH_TIMEOUT(state().value("routing").toArray(), (QJsonArray{4, 4, 2, 2}), 10000);
    QCOMPARE(deviceLines({"SW"}), (QStringList{"SW 2 3", "SW 4 1 2"}));

    // The simulator's scenes start one to one.
    publish("scene/recall", "2");
    QTRY_COMPARE_WITH_TIMEOUT(state().value("routing").toArray(), (QJsonArray{1, 2, 3, 4}), 10000);
    QVERIFY(_sim->receivedLines().contains(QStringLiteral("SceneCall 2")));
}

void TstMqttBridge::badRetainedAndLockedCommandsNeverReachTheDevice()
{
    connectDevice(QStringLiteral("DV-16"));
    // A retained command, found on the broker at connection: it would run again at every
    // reconnection, so it never runs.
    publish("output/1/input/set", "2", true);
    QSignalSpy log(_bridge.get(), &MqttBridge::logLine);
    startBridge(false);
    const QJsonObject before = state();
    _sim->clearReceived();
    const QList<QPair<QString, QByteArray>> bad = {
        {"output/1/input/set", "0"},
        {"output/1/input/set", "5"},
        {"output/1/input/set", "abc"},
        {"output/1/input/set", ""},
        {"output/1/input/set", "1 2"},
        {"output/1/input/set", "1\r\nSWOTO"},
        {"output/1/input/set", "\xff\xfe"},
        {"output/1/input/set", QByteArray(300, '1')},
        {"output/0/input/set", "1"},
        {"output/5/input/set", "1"},
        {"output/x/input/set", "1"},
        {"output/1/enabled/set", "MAYBE"},
        {"scene/recall", "0"},
        {"scene/recall", "17"},
        {"route/set", "not json"},
        {"route/set", "[1, 2]"},
        {"route/set", "{}"},
        {"route/set", R"({"1": 5})"},
        {"route/set", R"({"9": 1})"},
        {"route/set", R"({"1": 1.5})"},
        {"route/set", R"({"1": true})"},
        {"route/set", R"({"1": 2, "2": "Nowhere"})"}, // one bad entry spoils the whole
    };
    for (const auto &b : bad)
        publish(b.first, b.second);

    // Locked by a router client: routing and scenes (which reroute every output) refused.
    QVERIFY(
        _ctx->locks()->lock(1, QStringLiteral("router:7"), QStringLiteral("router client 127.0.0.1:5000")));
    publish("output/1/input/set", "2");
    publish("route/set", R"({"1": 2, "2": 2})");
    publish("scene/recall", "1");

    // Commands are handled in the order they come: once this one is on the device line,
    // everything before it has been dealt with.
    publish("output/2/enabled/set", "off");
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("SetOutput 2 0")), 10000);
    QCOMPARE(deviceLines({"SW", "SWOTO", "SceneCall", "SetOutput"}), QStringList{"SetOutput 2 0"});
    int refused = 0;
    for (const QList<QVariant> &l : qAsConst(log))
        refused += l.at(0).toString().contains(QLatin1String("refused"));
    QCOMPARE(refused, bad.size() + 1 + 3);
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "output/2/enabled"), QByteArray("OFF"), 10000);
    QCOMPARE(state().value("routing"), before.value("routing"));
}

void TstMqttBridge::brokerAndDeviceFailAndRecoverIndependently()
{
    connectDevice(QStringLiteral("DV-16"));
    startBridge();

    // The device goes: "offline", and a command meanwhile is refused, not kept for later.
    _sim->dropConnection();
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "availability"), QByteArray("offline"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(state().value("link").toString(), QStringLiteral("down"), 10000);
    QSignalSpy log(_bridge.get(), &MqttBridge::logLine);
    publish("output/1/input/set", "2");
    const auto refusedForNoDevice = [&log] {
        for (const QList<QVariant> &l : qAsConst(log))
            if (l.at(0).toString().contains(QLatin1String("refused: no device")))
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(refusedForNoDevice(), 10000);
    _sim->clearReceived();
    _ctx->connectTerminal();
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "availability"), QByteArray("online"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("GetBeepEn")), 10000);
    QVERIFY(deviceLines({"SW"}).isEmpty());

    // The broker goes (and forgets everything); the device changes meanwhile.
    const quint16 port = _broker->port();
    _watch->stop();
    _broker->stop();
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->status(), QStringLiteral("waiting"), 10000);
    QSignalSpy sws(_ctx.get(), &AppContext::swsChanged);
    _sim->sendLine(QStringLiteral("SWS 3 3 3 3"));
    QVERIFY(sws.wait(10000));
    QVERIFY(_broker->start(port));
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->status(), QStringLiteral("connected"), 10000);
    BrokerWatch after;
    QVERIFY(after.start(port, {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
    QTRY_COMPARE_WITH_TIMEOUT(after.latest(kBase + "availability"), QByteArray("online"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(after.latest(kBase + "output/4/input"), QByteArray("3"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(after.topics(QStringLiteral("homeassistant/")).size(), 24, 10000);
    // Commands work again.
    _sim->clearReceived();
    QVERIFY(BrokerWatch::publish(port, kBase + "output/1/input/set", "4"));
    QTRY_COMPARE_WITH_TIMEOUT(deviceLines({"SW"}), QStringList{"SW 4 1"}, 10000);
}

void TstMqttBridge::removalClearsDiscoveryAndRetainedTopics()
{
    connectDevice(QStringLiteral("DV-16"));
    startBridge();
    QTRY_COMPARE_WITH_TIMEOUT(_watch->topics(QStringLiteral("homeassistant/")).size(), 24, 10000);

    // Discovery turned off: the config messages go, the topics stay.
    _bridge->stop();
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->status(), QStringLiteral("off"), 10000);
    _cfg.discovery = false;
    QVERIFY(_bridge->start(_cfg));
    QTRY_VERIFY_WITH_TIMEOUT(_watch->topics(QStringLiteral("homeassistant/")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(_watch->latest(kBase + "availability"), QByteArray("online"), 10000);

    // Removed: nothing of the device is left on the broker.
    _cfg.discovery = true;
    QVERIFY(_bridge->start(_cfg));
    QTRY_COMPARE_WITH_TIMEOUT(_watch->topics(QStringLiteral("homeassistant/")).size(), 24, 10000);
    QSignalSpy forgotten(_bridge.get(), &MqttBridge::forgotten);
    _bridge->forget(_cfg);
    QVERIFY(forgotten.wait(15000));
    QCOMPARE(forgotten.first().at(0).toBool(), true);
    QCOMPARE(_bridge->status(), QStringLiteral("off"));
    BrokerWatch after;
    QVERIFY(after.start(_broker->port(), {QStringLiteral("tessaro/#"), QStringLiteral("homeassistant/#")}));
    QVERIFY2(after.retained().isEmpty(), qPrintable(after.retained().keys().join(' ')));
}

void TstMqttBridge::tlsNeedsTheBrokersCaAndNeverSpins()
{
    // A CA, a broker certificate it signs, and a CA that signed nothing here.
    QTemporaryDir certs;
    const auto openssl = [&certs](const QStringList &args) {
        QProcess p;
        p.setWorkingDirectory(certs.path());
        p.start(QStringLiteral("openssl"), args);
        return p.waitForFinished(30000) && p.exitCode() == 0;
    };
    const QString days = QStringLiteral("2");
    QVERIFY(openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
                     "-days", days, "-subj", "/CN=Test CA"}));
    QVERIFY(openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "other.key", "-out",
                     "other.pem", "-days", days, "-subj", "/CN=Other CA"}));
    QVERIFY(openssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "server.csr",
                     "-subj", "/CN=127.0.0.1"}));
    QFile ext(certs.filePath("ext.cnf"));
    QVERIFY(ext.open(QIODevice::WriteOnly));
    ext.write("subjectAltName=IP:127.0.0.1\n");
    ext.close();
    QVERIFY(openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                     "-CAcreateserial", "-out", "server.pem", "-days", days, "-extfile", "ext.cnf"}));
    // The broker reads them as the unprivileged user it becomes.
    QFile::setPermissions(certs.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
    QFile::setPermissions(certs.filePath("server.key"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    TestBroker tls;
    QVERIFY(tls.start(
        0, QStringLiteral("cafile %1\ncertfile %2\nkeyfile %3\n")
               .arg(certs.filePath("ca.pem"), certs.filePath("server.pem"), certs.filePath("server.key"))
               .toUtf8()));
    connectDevice(QStringLiteral("DV-16"));

    _cfg = MqttBridge::Config();
    QVERIFY(
        MqttAddress::parseUrl(QStringLiteral("mqtts://127.0.0.1:%1").arg(tls.port()), &_cfg.url, nullptr));
    _cfg.name = QStringLiteral("Hall A");
    _cfg.retryMinMs = 50;
    _cfg.retryMaxMs = 400;
    _cfg.caFile = certs.filePath("other.pem");
    QVERIFY(_bridge->start(_cfg));
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->error(), QStringLiteral("tls"), 10000);
    _cfg.caFile = certs.filePath("ca.pem");
    QVERIFY(_bridge->start(_cfg));
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->status(), QStringLiteral("connected"), 10000);

    // Gone: the handshakes that follow fail at once and the wait between them is idle.
    tls.stop();
    QTRY_COMPARE_WITH_TIMEOUT(_bridge->error(), QStringLiteral("refused"), 10000);
    QSignalSpy attempts(_bridge->client(), &MqttClient::stateChanged);
    const std::clock_t cpu = std::clock();
    QElapsedTimer wall;
    wall.start();
    QTRY_VERIFY_WITH_TIMEOUT(attempts.count() >= 8, 20000);
    const double cpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
    QVERIFY2(cpuMs < wall.elapsed() / 2.0,
             qPrintable(QStringLiteral("%1 ms CPU in %2 ms").arg(cpuMs).arg(wall.elapsed())));
    QCOMPARE(_bridge->error(), QStringLiteral("refused"));
}

QTEST_GUILESS_MAIN(TstMqttBridge)
#include "tst_mqttbridge.moc"
