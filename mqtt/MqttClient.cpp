#include "MqttClient.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>

#include <mosquitto.h>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace {

constexpr int kMiscIntervalMs = 1000;

// The library's global state is set up while any client exists.
int g_libraryUsers = 0;

void useLibrary()
{
    if (g_libraryUsers++ == 0)
        mosquitto_lib_init();
}

void releaseLibrary()
{
    if (--g_libraryUsers == 0)
        mosquitto_lib_cleanup();
}

// What a failed call or a dropped connection means to the operator: a key and English.
QPair<QString, QString> classify(int rc, int sysErrno)
{
    switch (rc) {
    case MOSQ_ERR_ERRNO:
        switch (sysErrno) {
        case ECONNREFUSED:
            return {QStringLiteral("refused"),
                    QStringLiteral("connection refused (no broker listens there)")};
        case EHOSTUNREACH:
        case ENETUNREACH:
        case EADDRNOTAVAIL:
            return {QStringLiteral("unreachable"), QStringLiteral("host or network unreachable")};
        case ETIMEDOUT:
            return {QStringLiteral("timeout"), QStringLiteral("no answer from the broker")};
        case ECONNRESET:
        case EPIPE:
        case 0:
            return {QStringLiteral("lost"), QStringLiteral("the broker closed the connection")};
        default:
            return {QStringLiteral("other"), QString::fromLocal8Bit(std::strerror(sysErrno))};
        }
    case MOSQ_ERR_EAI:
    case MOSQ_ERR_LOOKUP:
        return {QStringLiteral("unreachable"), QStringLiteral("the broker's host name cannot be resolved")};
    case MOSQ_ERR_TLS:
    case MOSQ_ERR_TLS_HANDSHAKE:
        return {QStringLiteral("tls"), QStringLiteral("the TLS handshake failed (is the broker's certificate "
                                                      "signed by the CA given?)")};
    case MOSQ_ERR_AUTH:
        return {QStringLiteral("auth"), QStringLiteral("the broker refused the user name or password")};
    case MOSQ_ERR_KEEPALIVE:
        return {QStringLiteral("lost"), QStringLiteral("the broker stopped answering")};
    case MOSQ_ERR_CONN_LOST:
    case MOSQ_ERR_NO_CONN:
    case MOSQ_ERR_SUCCESS:
        return {QStringLiteral("lost"), QStringLiteral("the broker closed the connection")};
    default:
        return {QStringLiteral("other"), QString::fromUtf8(mosquitto_strerror(rc))};
    }
}

} // namespace

MqttClient::MqttClient(QObject *parent)
    : QObject(parent), _misc(new QTimer(this)), _retry(new QTimer(this)), _connectTimeout(new QTimer(this))
{
    useLibrary();
    _misc->setInterval(kMiscIntervalMs);
    connect(_misc, &QTimer::timeout, this, [this] {
        if (_mosq && _state == State::Connected)
            afterCall(mosquitto_loop_misc(_mosq), errno);
    });
    _retry->setSingleShot(true);
    connect(_retry, &QTimer::timeout, this, &MqttClient::attempt);
    _connectTimeout->setSingleShot(true);
    connect(_connectTimeout, &QTimer::timeout, this, [this] {
        if (_stopping) {
            finishStop(); // the broker did not confirm in time: the last will may follow
        } else if (_state == State::Connecting) {
            failed(QStringLiteral("timeout"), QStringLiteral("no answer from the broker within %1 s")
                                                  .arg(_options.connectTimeoutMs / 1000.0));
        }
    });
}

MqttClient::~MqttClient()
{
    if (_mosq && _state == State::Connected) {
        // Best effort: written at once when the socket takes it; otherwise the broker
        // notices the closed socket and sends the last will.
        mosquitto_disconnect(_mosq);
    }
    release();
    releaseLibrary();
}

QString MqttClient::where() const
{
    return QStringLiteral("%1:%2").arg(_options.host).arg(_options.port);
}

bool MqttClient::start(const Options &options)
{
    _retry->stop();
    if (options.tls && !options.caFile.isEmpty() && !QFileInfo(options.caFile).isReadable()) {
        setError(QStringLiteral("tls"), QStringLiteral("the CA file %1 cannot be read").arg(options.caFile));
        return false;
    }
    _options = options;
    _nextRetryMs = 0;
    // A connection of the earlier options ends cleanly first, so that its last will is
    // not sent; the new one starts when it has.
    if (_stopping || (_mosq && _state == State::Connected)) {
        _restartPending = true;
        if (!_stopping)
            stop();
        return true;
    }
    release();
    _misc->start();
    attempt();
    return true;
}

void MqttClient::sendDisconnect()
{
    errno = 0;
    const int rc = mosquitto_disconnect(_mosq);
    afterCall(rc == MOSQ_ERR_SUCCESS ? rc : MOSQ_ERR_NO_CONN, errno);
}

void MqttClient::finishStop()
{
    release();
    _stopping = false;
    if (_restartPending) {
        _restartPending = false;
        _misc->start();
        attempt();
        return;
    }
    _misc->stop();
    setState(State::Idle);
    emit stopped();
}

void MqttClient::stop()
{
    _retry->stop();
    _connectTimeout->stop();
    if (_mosq && _state == State::Connected) {
        if (_stopping)
            return;
        _stopping = true;
        emit logLine(QStringLiteral("MQTT: disconnecting from %1").arg(where()));
        // The DISCONNECT goes once the broker has confirmed what was published: a broker
        // still answering a message on a connection closed under it takes that for a
        // failure and sends the last will.
        _connectTimeout->start(qMax(1000, _options.connectTimeoutMs));
        if (_unconfirmed.isEmpty())
            sendDisconnect();
        return;
    }
    _restartPending = false;
    release();
    _misc->stop();
    const bool wasIdle = _state == State::Idle;
    setState(State::Idle);
    if (!wasIdle)
        emit stopped();
}

bool MqttClient::publish(const QString &topic, const QByteArray &payload, bool retain)
{
    if (!_mosq || _state != State::Connected || _stopping)
        return false;
    int mid = 0;
    const QByteArray t = topic.toUtf8();
    errno = 0;
    const int rc =
        mosquitto_publish(_mosq, &mid, t.constData(), payload.size(), payload.constData(), 1, retain);
    const int err = errno;
    // A lost connection is handled as one; a message the library refuses is only logged.
    const bool linkError = rc == MOSQ_ERR_NO_CONN || rc == MOSQ_ERR_CONN_LOST || rc == MOSQ_ERR_ERRNO;
    if (rc == MOSQ_ERR_SUCCESS)
        _unconfirmed.insert(mid);
    else if (!linkError)
        emit logLine(QStringLiteral("MQTT: %1 not published: %2")
                         .arg(topic, QString::fromUtf8(mosquitto_strerror(rc))));
    afterCall(linkError ? rc : MOSQ_ERR_SUCCESS, err);
    return rc == MOSQ_ERR_SUCCESS;
}

bool MqttClient::subscribe(const QStringList &filters)
{
    if (!_mosq || _state != State::Connected || _stopping)
        return false;
    bool ok = true;
    for (const QString &f : filters) {
        int mid = 0;
        const int rc = mosquitto_subscribe(_mosq, &mid, f.toUtf8().constData(), 1);
        if (rc == MOSQ_ERR_SUCCESS)
            _unconfirmed.insert(mid);
        ok = ok && rc == MOSQ_ERR_SUCCESS;
    }
    afterCall(MOSQ_ERR_SUCCESS, 0);
    return ok;
}

// ---- attempts ----

bool MqttClient::configure(mosquitto *m)
{
    mosquitto_connect_callback_set(m, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m, &MqttClient::onMessage);
    mosquitto_publish_callback_set(m, &MqttClient::onPublish);
    mosquitto_subscribe_callback_set(m, &MqttClient::onSubscribe);
    mosquitto_int_option(m, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    if (!_options.user.isEmpty()) {
        const QByteArray user = _options.user.toUtf8();
        const QByteArray password = _options.password.toUtf8();
        mosquitto_username_pw_set(m, user.constData(),
                                  _options.password.isEmpty() ? nullptr : password.constData());
    }
    if (!_options.willTopic.isEmpty()) {
        const QByteArray topic = _options.willTopic.toUtf8();
        mosquitto_will_set(m, topic.constData(), _options.willPayload.size(),
                           _options.willPayload.constData(), 1, _options.willRetain);
    }
    if (_options.tls) {
        int rc = MOSQ_ERR_SUCCESS;
        if (_options.caFile.isEmpty()) {
            rc = mosquitto_int_option(m, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
        } else {
            const QByteArray ca = QFileInfo(_options.caFile).absoluteFilePath().toLocal8Bit();
            rc = mosquitto_tls_set(m, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        }
        if (rc != MOSQ_ERR_SUCCESS) {
            failed(QStringLiteral("tls"),
                   QStringLiteral("TLS cannot be set up: %1").arg(QString::fromUtf8(mosquitto_strerror(rc))));
            return false;
        }
    }
    return true;
}

void MqttClient::attempt()
{
    release();
    const QByteArray id = _options.clientId.toUtf8();
    _mosq = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    if (!_mosq) {
        failed(QStringLiteral("other"), QStringLiteral("the MQTT library cannot make a client"));
        return;
    }
    if (!configure(_mosq))
        return;
    setState(State::Connecting);
    emit logLine(QStringLiteral("MQTT: connecting to %1").arg(where()));
    _connectTimeout->start(_options.connectTimeoutMs);
    // Resolving a host name blocks until the resolver answers; addresses do not.
    errno = 0;
    const QByteArray host = _options.host.toUtf8();
    const int rc = mosquitto_connect_async(_mosq, host.constData(), _options.port, _options.keepAliveSeconds);
    const int err = errno;
    if (rc != MOSQ_ERR_SUCCESS) {
        const auto why = classify(rc, err);
        failed(why.first, why.second);
        return;
    }
    syncNotifiers();
}

void MqttClient::failed(const QString &key, const QString &detail)
{
    setError(key, detail);
    if (_stopping) {
        finishStop();
        return;
    }
    release();
    _nextRetryMs = _nextRetryMs == 0 ? _options.retryMinMs : qMin(_options.retryMaxMs, _nextRetryMs * 2);
    emit logLine(
        QStringLiteral("MQTT: %1: %2; trying again in %3 ms").arg(where(), detail).arg(_nextRetryMs));
    setState(State::Waiting);
    _retry->start(_nextRetryMs);
    emit disconnected();
}

void MqttClient::release()
{
    for (QSocketNotifier *n : {_readNotifier, _writeNotifier}) {
        if (n) {
            n->setEnabled(false);
            n->deleteLater();
        }
    }
    _readNotifier = _writeNotifier = nullptr;
    _fd = -1;
    if (_mosq) {
        mosquitto_destroy(_mosq);
        _mosq = nullptr;
    }
    ++_generation; // what the old instance reported no longer counts
    _unconfirmed.clear();
    _connectTimeout->stop();
}

void MqttClient::setState(State s)
{
    if (s == _state)
        return;
    _state = s;
    emit stateChanged();
}

void MqttClient::setError(const QString &key, const QString &detail)
{
    _error = key;
    _errorDetail = detail;
}

// ---- the library's socket in the event loop ----

void MqttClient::syncNotifiers()
{
    const int fd = _mosq ? mosquitto_socket(_mosq) : -1;
    if (fd != _fd) {
        for (QSocketNotifier *n : {_readNotifier, _writeNotifier}) {
            if (n) {
                n->setEnabled(false);
                n->deleteLater();
            }
        }
        _readNotifier = _writeNotifier = nullptr;
        _fd = fd;
        if (fd >= 0) {
            _readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(_readNotifier, &QSocketNotifier::activated, this, &MqttClient::service);
            _writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
            connect(_writeNotifier, &QSocketNotifier::activated, this, &MqttClient::service);
        }
    }
    // A writable socket wakes the loop continuously: watch it only while there is
    // something to send (or a connection to complete).
    if (_writeNotifier)
        _writeNotifier->setEnabled(mosquitto_want_write(_mosq));
}

// The socket is ready: one pass of the library's own loop with a zero timeout, which
// never waits (its select only tells which of read and write are ready now). Unlike
// separate read and write calls it also carries a TLS handshake forward; without that a
// refused or half-open mqtts connection would leave the socket ready forever and wake the
// event loop without end.
void MqttClient::service()
{
    if (!_mosq)
        return;
    // A connection the broker refused: said as such before the library reads the error
    // away (in a TLS handshake it would only see a broken pipe).
    if (_state == State::Connecting && _fd >= 0) {
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(_fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err != 0)
            return afterCall(MOSQ_ERR_ERRNO, err);
    }
    errno = 0;
    int rc = mosquitto_loop(_mosq, 0, 1);
    int err = errno;
    // A socket the peer has hung up, with nothing left to read, never becomes useful
    // again; the library may not notice (a TLS handshake retries its write), and the
    // notifier would fire without end.
    if (rc == MOSQ_ERR_SUCCESS && _mosq && _fd >= 0 && mosquitto_socket(_mosq) == _fd) {
        pollfd p{_fd, POLLIN, 0};
        int pending = 0;
        if (::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR)) &&
            (::ioctl(_fd, FIONREAD, &pending) != 0 || pending == 0)) {
            rc = MOSQ_ERR_CONN_LOST;
            err = 0;
        }
    }
    afterCall(rc, err);
}

void MqttClient::afterCall(int rc, int sysErrno)
{
    if (rc != MOSQ_ERR_SUCCESS && _mosq) {
        // Errors the library did not report through its disconnect callback.
        bool reported = false;
        for (const Event &e : qAsConst(_events))
            reported = reported || (e.kind == Event::Disconnect && e.generation == _generation);
        if (!reported) {
            Event e(Event::Disconnect);
            e.generation = _generation;
            e.code = rc;
            e.sysErrno = sysErrno;
            _events.append(e);
        }
    }
    syncNotifiers();
    if (!_events.isEmpty() && !_dispatchQueued) {
        _dispatchQueued = true;
        QMetaObject::invokeMethod(this, &MqttClient::dispatch, Qt::QueuedConnection);
    }
}

void MqttClient::dispatch()
{
    _dispatchQueued = false;
    while (!_events.isEmpty()) {
        const Event e = _events.takeFirst();
        if (e.generation == _generation)
            handle(e);
    }
}

void MqttClient::handle(const Event &e)
{
    switch (e.kind) {
    case Event::Connack:
        if (e.code == 0) {
            _connectTimeout->stop();
            _nextRetryMs = 0;
            setError(QString(), QString());
            setState(State::Connected);
            emit logLine(QStringLiteral("MQTT: connected to %1").arg(where()));
            emit connected();
        } else if (e.code == 4 || e.code == 5) {
            failed(QStringLiteral("auth"), QStringLiteral("the broker refused the user name or password (%1)")
                                               .arg(QString::fromUtf8(mosquitto_connack_string(e.code))));
        } else {
            failed(QStringLiteral("other"), QStringLiteral("the broker refused the connection (%1)")
                                                .arg(QString::fromUtf8(mosquitto_connack_string(e.code))));
        }
        break;
    case Event::Disconnect:
        if (_stopping && e.code == 0) {
            setError(QString(), QString());
            emit logLine(QStringLiteral("MQTT: disconnected from %1").arg(where()));
            finishStop();
        } else if (_state == State::Connected || _state == State::Connecting || _stopping) {
            auto why = classify(e.code, e.sysErrno);
            // Closed before the broker said yes: nothing that speaks MQTT (with TLS as
            // asked for) listens there.
            if (_state == State::Connecting && why.first == QLatin1String("lost"))
                why = {QStringLiteral("refused"),
                       QStringLiteral("the connection closed before a broker accepted it")};
            failed(why.first, why.second);
        }
        break;
    case Event::Message:
        if (_state == State::Connected)
            emit message(e.topic, e.payload, e.retained);
        break;
    case Event::Confirmed:
        if (_unconfirmed.remove(e.code) && _unconfirmed.isEmpty()) {
            if (_stopping && _mosq)
                sendDisconnect();
            emit allConfirmed();
        }
        break;
    }
}

// ---- library callbacks: record only ----

void MqttClient::record(Event e)
{
    e.generation = _generation;
    _events.append(std::move(e));
}

void MqttClient::onConnect(mosquitto *, void *self, int rc)
{
    Event e(Event::Connack);
    e.code = rc;
    static_cast<MqttClient *>(self)->record(std::move(e));
}

void MqttClient::onDisconnect(mosquitto *, void *self, int rc)
{
    Event e(Event::Disconnect);
    e.code = rc;
    e.sysErrno = errno;
    static_cast<MqttClient *>(self)->record(std::move(e));
}

void MqttClient::onMessage(mosquitto *, void *self, const mosquitto_message *msg)
{
    Event e(Event::Message);
    e.topic = QString::fromUtf8(msg->topic);
    if (msg->payloadlen > 0)
        e.payload = QByteArray(static_cast<const char *>(msg->payload), msg->payloadlen);
    e.retained = msg->retain;
    static_cast<MqttClient *>(self)->record(std::move(e));
}

void MqttClient::onPublish(mosquitto *, void *self, int mid)
{
    Event e(Event::Confirmed);
    e.code = mid;
    static_cast<MqttClient *>(self)->record(std::move(e));
}

void MqttClient::onSubscribe(mosquitto *, void *self, int mid, int, const int *)
{
    Event e(Event::Confirmed);
    e.code = mid;
    static_cast<MqttClient *>(self)->record(std::move(e));
}
