// The traffic log of a real link: what the simulated device received and sent, in the
// order it happened, with raw commands typed by the operator.
#include "AppContext.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

struct Entry
{
    QString dir;
    QString text;
    bool operator==(const Entry &o) const { return dir == o.dir && text == o.text; }
};

// The saved log, without the time stamps.
QList<Entry> savedEntries(TrafficLog *log)
{
    QList<Entry> out;
    const QList<QByteArray> lines = log->savedText().split('\n');
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split('\t');
        if (f.size() != 3)
            return {};
        out.append({QString::fromUtf8(f[1]), QString::fromUtf8(f[2])});
    }
    return out;
}

QStringList textsOf(const QList<Entry> &entries, const QString &dir)
{
    QStringList out;
    for (const Entry &e : entries)
        if (e.dir == dir)
            out.append(e.text);
    return out;
}

int indexOf(const QList<Entry> &entries, const Entry &e)
{
    return entries.indexOf(e);
}

const QString kSent = QStringLiteral("→");
const QString kReceived = QStringLiteral("←");

} // namespace

class TestTrafficLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void logMatchesWhatTheDeviceSawInOrder();
    void rawSendStripsLineEnds();
    void rawSendRefusedWhileDisconnected();
    void junkAndPartialLinesAreMarked();

private:
    void connect();

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
    std::unique_ptr<AppContext> _ctx;
    QStringList _deviceSent;
};

void TestTrafficLink::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>();
    QVERIFY(listenOnRandomLoopback(*_sim));
    _deviceSent.clear();
    QObject::connect(_sim.get(), &SimServer::lineSent, this,
                     [this](const QString &line) { _deviceSent.append(line); });
    _ctx = std::make_unique<AppContext>();
}

void TestTrafficLink::cleanup()
{
    _ctx.reset();
    _sim.reset();
    _dir.reset();
}

void TestTrafficLink::connect()
{
    _ctx->init();
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->isConnected(), 10000);
    // The first queries and their answers.
    QTRY_COMPARE_WITH_TIMEOUT(_ctx->mode(), QStringLiteral("DV-42"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("GetBeepEn")), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->traffic()->log()->savedText().contains("BeepEn 1"), 10000);
}

void TestTrafficLink::logMatchesWhatTheDeviceSawInOrder()
{
    connect();
    TrafficLog *log = _ctx->traffic()->log();
    _ctx->sendCmd_GetIP();
    QTRY_VERIFY_WITH_TIMEOUT(log->savedText().contains("IP 192.168.1.100"), 10000);
    _sim->sendLine(QStringLiteral("SWS 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3")); // a report of its own
    _ctx->sendCmd_SetOutput(2, false);
    QTRY_VERIFY_WITH_TIMEOUT(_deviceSent.size() >= 7, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(textsOf(savedEntries(log), kReceived).size(), _deviceSent.size(), 10000);

    const QList<Entry> entries = savedEntries(log);
    QCOMPARE(textsOf(entries, kSent), _sim->receivedLines());
    QCOMPARE(textsOf(entries, kReceived), _deviceSent);
    // Each answer comes after its command.
    const auto before = [&](const QString &cmd, const QString &reply) {
        const int c = indexOf(entries, {kSent, cmd});
        const int r = indexOf(entries, {kReceived, reply});
        return c >= 0 && r > c;
    };
    QVERIFY(before(QStringLiteral("PING"), QStringLiteral("DV-42")));
    QVERIFY(before(QStringLiteral("GetBeepEn"), QStringLiteral("BeepEn 1")));
    QVERIFY(before(QStringLiteral("GetIP"), QStringLiteral("IP 192.168.1.100")));
    QVERIFY(indexOf(entries, {kReceived, QStringLiteral("IP 192.168.1.100")}) <
            indexOf(entries, {kReceived, QStringLiteral("SWS 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3")}));
    QVERIFY(
        before(QStringLiteral("SetOutput 2 0"), QStringLiteral("OutPutST 1 0 1 1 1 1 1 1 1 1 1 1 1 1 1 1")));
    // Time stamps never go backwards.
    QString last;
    for (const QByteArray &line : log->savedText().split('\n')) {
        if (line.isEmpty())
            continue;
        const QString stamp = QString::fromLatin1(line.left(23));
        QVERIFY2(stamp >= last, line.constData());
        last = stamp;
    }
}

void TestTrafficLink::rawSendStripsLineEnds()
{
    connect();
    TrafficLog *log = _ctx->traffic()->log();
    _sim->clearReceived();
    QVERIFY(_ctx->traffic()->sendRaw(QStringLiteral("Get\r\nIP\n")));
    QTRY_COMPARE_WITH_TIMEOUT(_sim->receivedLines(), QStringList{QStringLiteral("GetIP")}, 10000);
    QVERIFY(_ctx->traffic()->sendRaw(QStringLiteral("GetOutPE 3\r")));
    QTRY_VERIFY_WITH_TIMEOUT(log->savedText().contains("OutPE 3 0"), 10000);
    QCOMPARE(_sim->receivedLines(), (QStringList{QStringLiteral("GetIP"), QStringLiteral("GetOutPE 3")}));
    const QList<Entry> entries = savedEntries(log);
    const int ip = indexOf(entries, {kSent, QStringLiteral("GetIP")});
    QVERIFY(ip >= 0);
    QCOMPARE(entries.mid(ip), (QList<Entry>{{kSent, QStringLiteral("GetIP")},
                                            {kReceived, QStringLiteral("IP 192.168.1.100")},
                                            {kSent, QStringLiteral("GetOutPE 3")},
                                            {kReceived, QStringLiteral("OutPE 3 0")}}));
    // The answer to a raw query reaches the screens as well.
    QCOMPARE(_ctx->ip(), QStringLiteral("192.168.1.100"));
    QVERIFY(!_ctx->traffic()->sendRaw(QStringLiteral("\r\n")));
}

void TestTrafficLink::rawSendRefusedWhileDisconnected()
{
    TrafficConsole *console = _ctx->traffic();
    QVERIFY(!console->sendRaw(QStringLiteral("PING"))); // never connected
    connect();
    _ctx->disconnectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->isConnected(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!_sim->clientConnected(), 10000);
    _sim->clearReceived();
    const int kept = console->log()->count();
    QVERIFY(!console->sendRaw(QStringLiteral("PING")));
    QCOMPARE(console->log()->count(), kept);
    // Nothing reaches the device once it takes a panel again.
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->isConnected(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(_sim->receivedLines().contains(QStringLiteral("PING")), 10000);
    QCOMPARE(_sim->receivedLines().count(QStringLiteral("PING")), 1); // the panel's own query
}

void TestTrafficLink::junkAndPartialLinesAreMarked()
{
    connect();
    TrafficLog *log = _ctx->traffic()->log();
    _sim->sendRaw(QByteArray("\x01\xfe?\r\n", 5));
    _sim->sendRaw("OutPE 5 1\r\nSWS 1 2"); // the last line never ends
    QTRY_VERIFY_WITH_TIMEOUT(log->savedText().contains("(discarded partial line)\tSWS 1 2\n"), 10000);
    const QList<Entry> entries = savedEntries(log);
    QCOMPARE(entries.mid(entries.size() - 3),
             (QList<Entry>{{QStringLiteral("← (unrecognised)"), QStringLiteral("\\x01\\xFE?")},
                           {kReceived, QStringLiteral("OutPE 5 1")},
                           {QStringLiteral("← (discarded partial line)"), QStringLiteral("SWS 1 2")}}));
}

QTEST_MAIN(TestTrafficLink)
#include "tst_trafficlink.moc"
