// Knowing what the device did, against the simulator's faults with short timings:
// presence, keep-alive, reconnecting, route confirmation, changes made elsewhere, pacing.
#include "AppContext.h"
#include "LinkSupervisor.h"
#include "RouteWatch.h"
#include "SendPacer.h"
#include "SimListen.h"
#include "SimServer.h"
#include "StalledListener.h"
#include "TestWorkDir.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TstSupervision : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void silentDeviceIsNotCalledConnected();
    void keepAliveClosesAHungLinkAndChangesNothingOnAnAnswer();
    void lostLinkReconnectsAndResynchronises();
    void operatorDisconnectAndCancelNeverReconnect();
    void routesAreConfirmedOrReportedAsNotSwitched();
    void partlyAppliedRoutingMarksExactlyTheFailures();
    void changesElsewhereAreFoundAndKeptOrRestored();
    void pacerSendsAtMostOnePerIntervalAndTheLastValue();

private:
    void connectDevice(const QString &model = QStringLiteral("DV-16"));
    int count(const QString &line) const { return _sim->receivedLines().count(line); }
    QStringList routingLines() const;

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
    std::unique_ptr<AppContext> _ctx;
    ConnectionTimings _t;
};

void TstSupervision::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>(QStringLiteral("DV-16"));
    QVERIFY(listenOnRandomLoopback(*_sim));
    _ctx = std::make_unique<AppContext>();
    _t = ConnectionTimings();
    _t.firstQueriesDelayMs = 20;
    _t.connectCheckMs = 2000;
    _t.presenceMs = 300;
    _t.keepAliveMs = 0;
    _t.keepAliveAnswerMs = 200;
    _t.reconnectBaseMs = 50;
    _t.confirmMs = 300;
    _t.pollMs = 0;
    _ctx->setConnectionTimings(_t);
    _ctx->init();
}

void TstSupervision::cleanup()
{
    _ctx.reset();
    _sim.reset();
    _dir.reset();
}

void TstSupervision::connectDevice(const QString &model)
{
    _sim->setModel(model);
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->supervisor()->answered(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(count(QStringLiteral("GetBeepEn")) == 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->sws().isEmpty(), 10000);
}

QStringList TstSupervision::routingLines() const
{
    QStringList lines;
    for (const QString &l : _sim->receivedLines())
        if (l.startsWith(QLatin1String("SW")) || l == QLatin1String("GetSW"))
            lines.append(l);
    return lines;
}

void TstSupervision::silentDeviceIsNotCalledConnected()
{
    _sim->setSilent(true);
    QSignalSpy notices(_ctx.get(), &AppContext::notice);
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->isConnected(), 10000); // the port is open...
    QVERIFY(!_ctx->supervisor()->answered());             // ...but nobody answers
    QTRY_COMPARE_WITH_TIMEOUT(_ctx->connectProblem(), QStringLiteral("noDeviceAnswer"), 10000);
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("noDeviceAnswer"));
    QVERIFY(_ctx->isConnected());
    QVERIFY(count(QStringLiteral("PING")) >= 1);
    QVERIFY(_ctx->sws().isEmpty());
}

void TstSupervision::keepAliveClosesAHungLinkAndChangesNothingOnAnAnswer()
{
    _t.keepAliveMs = 300;
    _t.reconnect = false;
    _ctx->setConnectionTimings(_t);
    connectDevice();
    // An answered keep-alive is only a sign of life: no beep, output states untouched.
    _ctx->sendCmd_SetOutput(2, false);
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->outputST().at(1).toObject().value("isOpen").toBool(true), 5000);
    QSignalSpy outputs(_ctx.get(), &AppContext::outputSTChanged);
    QTRY_VERIFY_WITH_TIMEOUT(count(QStringLiteral("PING")) >= 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->supervisor()->answered() && count(QStringLiteral("PING")) >= 3, 5000);
    QCOMPARE(count(QStringLiteral("BeepONOnce")), 1); // the one of the first answer
    QCOMPARE(outputs.count(), 0);
    QVERIFY(_ctx->isConnected());

    // The device hangs with the link open: two unanswered PINGs, then the link goes.
    _sim->setSilent(true);
    const int pings = count(QStringLiteral("PING"));
    QSignalSpy notices(_ctx.get(), &AppContext::notice);
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->isConnected(), 10000);
    QCOMPARE(count(QStringLiteral("PING")) - pings, 2);
    QCOMPARE(_ctx->connectProblem(), QStringLiteral("stoppedAnswering"));
    QCOMPARE(notices.count(), 1);
    QVERIFY(!_ctx->supervisor()->reconnecting()); // turned off for this test
}

void TstSupervision::lostLinkReconnectsAndResynchronises()
{
    connectDevice();
    const QHostAddress address = _sim->tcpAddress();
    QSignalSpy notices(_ctx.get(), &AppContext::notice);
    // The device goes away (not listening: attempts are refused) and comes back.
    _sim->closeTcp();
    _sim->dropConnection();
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->isConnected(), 5000);
    QCOMPARE(_ctx->connectProblem(), QStringLiteral("lost"));
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->supervisor()->reconnecting(), 5000);
    QVERIFY(_ctx->supervisor()->reconnectIn() >= 1);
    // Refused attempts keep it trying.
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->connectProblem() == QStringLiteral("refused") && _ctx->supervisor()->reconnecting(),
                             5000);
    _sim->clearReceived();
    QVERIFY(_sim->listenTcp(address, 8080));
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->isConnected() && _ctx->supervisor()->answered(), 10000);
    // Resynchronised: the first queries went out again.
    QTRY_VERIFY_WITH_TIMEOUT(count(QStringLiteral("GetBeepEn")) == 1, 5000);
    QCOMPARE(_sim->receivedLines().mid(0, 2), (QStringList{"PING", "GetSW"}));
    QVERIFY(!notices.isEmpty());
    QCOMPARE(notices.last().at(0).toString(), QStringLiteral("reconnected"));
    QCOMPARE(_ctx->mode(), QStringLiteral("DV-16"));
}

void TstSupervision::operatorDisconnectAndCancelNeverReconnect()
{
    connectDevice();
    _ctx->disconnectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!_ctx->isConnected(), 5000);
    QVERIFY(!_ctx->supervisor()->reconnecting());

    // A loss, then Cancel while waiting.
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->supervisor()->answered(), 10000);
    _t.reconnectBaseMs = 60000;
    _ctx->setConnectionTimings(_t);
    _sim->dropConnection();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->supervisor()->reconnecting(), 5000);
    _ctx->cancelConnect();
    QVERIFY(!_ctx->supervisor()->reconnecting());

    // Cancel drops an attempt that hangs, at once.
    StalledListener stalled;
    QVERIFY(stalled.open(8080));
    _ctx->setCurrentIP(stalled.address().toString());
    _ctx->connectTerminal();
    QVERIFY(_ctx->isConnectPending());
    QCOMPARE(_ctx->linkDescription(), stalled.address().toString() + QStringLiteral(":8080"));
    _ctx->cancelConnect();
    QVERIFY(!_ctx->isConnectPending());
    QVERIFY(!_ctx->isConnected());
    QCOMPARE(_ctx->clientIO(), nullptr);
    QVERIFY(!_ctx->supervisor()->reconnecting());
}

void TstSupervision::routesAreConfirmedOrReportedAsNotSwitched()
{
    connectDevice();
    RouteWatch *w = _ctx->routes();
    _ctx->sendCmd_SW(2, QJsonArray{1, 3});
    QCOMPARE(w->markOf(1), int(RouteWatch::Pending));
    QCOMPARE(w->markOf(2), int(RouteWatch::None));
    QTRY_COMPARE_WITH_TIMEOUT(w->markOf(1), int(RouteWatch::Confirmed), 5000);
    QCOMPARE(w->markOf(3), int(RouteWatch::Confirmed));

    // The answer comes after the first wait: one query, then confirmed.
    _sim->clearReceived();
    _sim->setReplyDelay(_t.confirmMs + 150);
    QSignalSpy notices(_ctx.get(), &AppContext::notice);
    _ctx->sendCmd_SW(4, QJsonArray{2});
    QTRY_COMPARE_WITH_TIMEOUT(w->markOf(2), int(RouteWatch::Confirmed), 5000);
    QCOMPARE(routingLines(), (QStringList{"SW 4 2", "GetSW"}));
    QVERIFY(notices.isEmpty());
    _sim->setReplyDelay(0);

    // Ignored: one query, then "did not switch", said once.
    _sim->setIgnoreRouting(true);
    _sim->clearReceived();
    _ctx->sendCmd_SW(1, QJsonArray{4});
    QTRY_COMPARE_WITH_TIMEOUT(w->markOf(4), int(RouteWatch::NotConfirmed), 5000);
    QCOMPARE(routingLines(), (QStringList{"SW 1 4", "GetSW"}));
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.at(0).at(0).toString(), QStringLiteral("notConfirmed"));
    const QVariantList failed = notices.at(0).at(1).toList();
    QCOMPARE(failed.size(), 1);
    QCOMPARE(failed.at(0).toMap().value("output").toInt(), 4);
    QCOMPARE(failed.at(0).toMap().value("input").toInt(), 1);
}

void TstSupervision::partlyAppliedRoutingMarksExactlyTheFailures()
{
    connectDevice();
    _sim->setPartialRouting(1);
    QSignalSpy notices(_ctx.get(), &AppContext::notice);
    _ctx->sendCmd_SW(3, QJsonArray{1, 2, 4});
    QTRY_COMPARE_WITH_TIMEOUT(notices.count(), 1, 5000);
    QVariantList outputs;
    for (const QVariant &f : notices.at(0).at(1).toList())
        outputs.append(f.toMap().value("output"));
    QCOMPARE(outputs, (QVariantList{2, 4}));
    RouteWatch *w = _ctx->routes();
    QCOMPARE(w->markOf(2), int(RouteWatch::NotConfirmed));
    QCOMPARE(w->markOf(4), int(RouteWatch::NotConfirmed));
    QVERIFY(w->markOf(1) == RouteWatch::Confirmed || w->markOf(1) == RouteWatch::None);
    // A change made elsewhere is not claimed for the failures.
    QVERIFY(w->changesElsewhere().isEmpty());
}

void TstSupervision::changesElsewhereAreFoundAndKeptOrRestored()
{
    connectDevice();
    RouteWatch *w = _ctx->routes();
    QSignalSpy changes(w, &RouteWatch::changesElsewhereChanged);
    // Reported by the device as it happens.
    _sim->device()->routeAtDevice(3, 1);
    QTRY_COMPARE_WITH_TIMEOUT(w->changesElsewhere().size(), 1, 5000);
    const QVariantMap c = w->changesElsewhere().first().toMap();
    QCOMPARE(c.value("output").toInt(), 3);
    QCOMPARE(c.value("from").toInt(), 3);
    QCOMPARE(c.value("to").toInt(), 1);
    QCOMPARE(w->markOf(3), int(RouteWatch::ChangedElsewhere));
    _sim->clearReceived();
    w->restoreChanges();
    QTRY_COMPARE_WITH_TIMEOUT(routingLines(), QStringList{"SW 3 3"}, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(w->markOf(3), int(RouteWatch::Confirmed), 5000);
    QVERIFY(w->changesElsewhere().isEmpty());

    // Kept to itself until the idle poll asks; "Keep" sends nothing.
    _t.pollMs = 200;
    _ctx->setConnectionTimings(_t);
    _sim->device()->routeAtDevice(2, 4, false);
    _sim->device()->routeAtDevice(4, 4, false); // already there: no change
    QTRY_COMPARE_WITH_TIMEOUT(w->changesElsewhere().size(), 1, 5000);
    QCOMPARE(w->changesElsewhere().first().toMap().value("output").toInt(), 2);
    _sim->clearReceived();
    w->keepChanges();
    QVERIFY(w->changesElsewhere().isEmpty());
    QCOMPARE(w->markOf(2), int(RouteWatch::None));
    QTRY_VERIFY_WITH_TIMEOUT(count(QStringLiteral("GetSW")) >= 1, 5000); // polling goes on
    QCOMPARE(routingLines().filter(QStringLiteral("SW ")).size(), 0);
}

void TstSupervision::pacerSendsAtMostOnePerIntervalAndTheLastValue()
{
    SendPacer pacer;
    pacer.setIntervalMs(100);
    QList<QPair<qint64, int>> fired;
    QElapsedTimer clock;
    clock.start();
    connect(&pacer, &SendPacer::fire, this,
            [&](const QString &, const QVariant &v) { fired.append({clock.elapsed(), v.toInt()}); });
    for (int step = 1; step <= 100; ++step) { // a drag of 100 steps
        pacer.push(QStringLiteral("brightness:3"), step);
        QTest::qWait(3);
    }
    QCOMPARE(fired.first().second, 1); // the first step goes at once
    QTRY_COMPARE_WITH_TIMEOUT(fired.last().second, 100, 2000);
    const qint64 span = fired.last().first - fired.first().first;
    QVERIFY2(fired.size() <= span / 95 + 2, qPrintable(QString::number(fired.size())));
    for (int i = 1; i < fired.size(); ++i) // to the millisecond, less rounding
        QVERIFY(fired.at(i).first - fired.at(i - 1).first >= 95);
    // Another control is paced on its own; flush() sends what waits.
    fired.clear();
    pacer.push(QStringLiteral("contrast:3"), 7);
    pacer.push(QStringLiteral("contrast:3"), 8);
    pacer.flush();
    QCOMPARE(fired.size(), 2);
    QCOMPARE(fired.last().second, 8);
}

QTEST_GUILESS_MAIN(TstSupervision)
#include "tst_supervision.moc"
