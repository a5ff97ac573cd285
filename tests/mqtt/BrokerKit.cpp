#include "BrokerKit.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtTest>

bool TestBroker::launch(quint16 port)
{
    const QString conf = _dir.filePath(QStringLiteral("mosquitto.conf"));
    QFile f(conf);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // Errors and warnings only, unless TESSARO_BROKER_LOG names other types ("all").
    const QByteArray types = qEnvironmentVariableIsSet("TESSARO_BROKER_LOG") ? qgetenv("TESSARO_BROKER_LOG")
                                                                             : QByteArray("error warning");
    QByteArray text =
        QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n").arg(port).toUtf8();
    for (const QByteArray &t : types.split(' '))
        text += "log_type " + t + "\n";
    text += _extra;
    f.write(text);
    f.close();
    _proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    _proc.start(QStringLiteral("/usr/sbin/mosquitto"), {QStringLiteral("-c"), conf});
    if (!_proc.waitForStarted(10000))
        return false;
    // Listening once a connection goes through; a taken port ends the broker instead.
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (_proc.state() != QProcess::Running)
            return false;
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            _port = port;
            return true;
        }
        QTest::qWait(50);
    }
    return false;
}

bool TestBroker::start(quint16 port, const QByteArray &extra)
{
    if (!extra.isEmpty())
        _extra = extra;
    if (port != 0)
        return launch(port);
    for (int attempt = 0; attempt < 20; ++attempt) {
        stop();
        if (launch(quint16(QRandomGenerator::global()->bounded(20000, 60000))))
            return true;
    }
    return false;
}

void TestBroker::stop()
{
    if (_proc.state() == QProcess::NotRunning)
        return;
    _proc.terminate();
    if (!_proc.waitForFinished(10000)) {
        _proc.kill();
        _proc.waitForFinished(5000);
    }
}

bool BrokerWatch::start(quint16 port, const QStringList &filters)
{
    _port = port;
    const QString probe = QStringLiteral("probe/%1").arg(QRandomGenerator::global()->generate());
    QStringList args{QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("-p"), QString::number(port),
                     QStringLiteral("-q"), QStringLiteral("1"),
                     QStringLiteral("-F"), QStringLiteral("%r %t %x"),
                     QStringLiteral("-t"), probe};
    for (const QString &f : filters)
        args << QStringLiteral("-t") << f;
    _proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    _proc.start(QStringLiteral("mosquitto_sub"), args);
    if (!_proc.waitForStarted(10000))
        return false;
    // Probe until it comes back: then the subscriptions are in place.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (!publish(port, probe, "probe"))
            return false;
        const QDeadlineTimer round(1000);
        while (!round.hasExpired()) {
            if (has(probe))
                return true;
            QTest::qWait(20);
        }
    }
    return false;
}

void BrokerWatch::stop()
{
    if (_proc.state() == QProcess::NotRunning)
        return;
    _proc.kill();
    _proc.waitForFinished(5000);
}

void BrokerWatch::poll()
{
    _pending += _proc.readAllStandardOutput();
    int end;
    while ((end = _pending.indexOf('\n')) >= 0) {
        const QByteArray line = _pending.left(end);
        _pending.remove(0, end + 1);
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() < 2)
            continue;
        Message m;
        m.retained = parts.at(0) == "1";
        m.topic = QString::fromUtf8(parts.at(1));
        m.payload = parts.size() > 2 ? QByteArray::fromHex(parts.at(2)) : QByteArray();
        _all.append(m);
        _latest.insert(m.topic, m.payload);
    }
}

QStringList BrokerWatch::topics(const QString &prefix)
{
    poll();
    QStringList out;
    for (auto it = _latest.cbegin(); it != _latest.cend(); ++it)
        if (it.key().startsWith(prefix) && !it.value().isEmpty())
            out.append(it.key());
    out.sort();
    return out;
}

QHash<QString, QByteArray> BrokerWatch::retained()
{
    poll();
    QHash<QString, QByteArray> out;
    for (const Message &m : qAsConst(_all))
        if (m.retained && !m.payload.isEmpty())
            out.insert(m.topic, m.payload);
    return out;
}

bool BrokerWatch::publish(quint16 port, const QString &topic, const QByteArray &payload, bool retain)
{
    QProcess pub;
    QStringList args{
        QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port),
        QStringLiteral("-q"), QStringLiteral("1"),         QStringLiteral("-t"), topic};
    if (retain)
        args << QStringLiteral("-r");
    args << (payload.isEmpty() ? QStringLiteral("-n") : QStringLiteral("-s"));
    pub.setProcessChannelMode(QProcess::ForwardedChannels);
    pub.start(QStringLiteral("mosquitto_pub"), args);
    if (!pub.waitForStarted(10000))
        return false;
    pub.write(payload);
    pub.closeWriteChannel();
    return pub.waitForFinished(20000) && pub.exitCode() == 0;
}
