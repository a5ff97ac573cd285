// Requests from router clients: each block is checked whole and answered ACK or NAK
// before anything changes; the status update that follows comes from the state itself.
#include "RouterServer.h"

#include "AppContext.h"
#include "OutputLocks.h"
#include "RemoteClientModel.h"
#include "RouteTable.h"
#include "RoutingHistory.h"

#include <QMap>

using Videohub::Block;

namespace {

// "N REST": a port number from 0 and the rest of the line after one space.
bool splitLine(const QString &line, int *port, QString *rest)
{
    const int space = line.indexOf(QLatin1Char(' '));
    const QString number = space < 0 ? line : line.left(space);
    if (number.isEmpty() || number.size() > 4)
        return false;
    for (const QChar c : number)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    *port = number.toInt();
    *rest = space < 0 ? QString() : line.mid(space + 1);
    return true;
}

// Labels keep printable text only: no control characters, no line breaks.
QString cleanLabel(const QString &label)
{
    QString clean;
    clean.reserve(label.size());
    for (const QChar c : label)
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            clean.append(c);
    return clean;
}

} // namespace

bool RouterServer::tooLong(const ClientPtr &client, const Block &block, int ports)
{
    if (block.lines.size() <= ports)
        return false;
    emit logLine(QStringLiteral("router client %1: %2 lines for %3 ports refused")
                     .arg(client->address)
                     .arg(block.lines.size())
                     .arg(ports));
    send(client, Videohub::nak());
    return true;
}

void RouterServer::handle(const ClientPtr &client, const Block &block)
{
    _clients->request(client->id, block.header);
    const QString &h = block.header;
    if (block.malformed) {
        emit logLine(QStringLiteral("router client %1: malformed block refused").arg(client->address));
        send(client, Videohub::nak());
        return;
    }
    if (h == QLatin1String("PING")) {
        send(client, Videohub::ack());
        return;
    }
    const bool labels = h == QLatin1String("INPUT LABELS") || h == QLatin1String("OUTPUT LABELS");
    if (block.lines.isEmpty()) {
        // A header alone asks for that block's current state.
        QByteArray state;
        if (h == QLatin1String("PROTOCOL PREAMBLE"))
            state = Videohub::block(h, {QStringLiteral("Version: 2.8")});
        else if (h == QLatin1String("VIDEOHUB DEVICE"))
            state = deviceBlock();
        else if (labels)
            state = labelsBlock(h.startsWith(QLatin1String("INPUT")));
        else if (h == QLatin1String("VIDEO OUTPUT LOCKS"))
            state = locksBlock(client, allOutputs());
        else if (h == QLatin1String("VIDEO OUTPUT ROUTING"))
            state = routingBlock({}, true);
        if (!state.isEmpty()) {
            send(client, Videohub::ack());
            send(client, state);
            return;
        }
    } else if (labels) {
        handleLabels(client, block, h.startsWith(QLatin1String("INPUT")));
        return;
    } else if (h == QLatin1String("VIDEO OUTPUT LOCKS")) {
        handleLocks(client, block);
        return;
    } else if (h == QLatin1String("VIDEO OUTPUT ROUTING")) {
        handleRouting(client, block);
        return;
    }
    emit logLine(QStringLiteral("router client %1: \"%2\" refused").arg(client->address, h.left(64)));
    send(client, Videohub::nak());
}

bool RouterServer::handleLabels(const ClientPtr &client, const Block &block, bool inputs)
{
    const int count = inputs ? _device.inputs : _device.outputs;
    if (tooLong(client, block, count))
        return false;
    QMap<int, QString> labels;
    for (const QString &line : block.lines) {
        int port = 0;
        QString label;
        if (!splitLine(line, &port, &label) || port >= count) {
            emit logLine(
                QStringLiteral("router client %1: label line refused (no such %2)")
                    .arg(client->address, inputs ? QStringLiteral("input") : QStringLiteral("output")));
            send(client, Videohub::nak());
            return false;
        }
        labels.insert(port + 1, cleanLabel(label));
    }
    send(client, Videohub::ack());
    emit logLine(QStringLiteral("router client %1 renamed %2 %3")
                     .arg(client->address, inputs ? QStringLiteral("inputs") : QStringLiteral("outputs"))
                     .arg(labels.size()));
    _ctx->setChannelNames(inputs, labels);
    return true;
}

bool RouterServer::handleLocks(const ClientPtr &client, const Block &block)
{
    OutputLocks *locks = _ctx->locks();
    const QString me = ownerKey(client);
    if (tooLong(client, block, _device.outputs))
        return false;
    QMap<int, QChar> wanted;
    for (const QString &line : block.lines) {
        int port = 0;
        QString letter;
        if (!splitLine(line, &port, &letter) || port >= _device.outputs || letter.size() != 1 ||
            !QStringLiteral("OLUF").contains(letter.at(0))) {
            emit logLine(QStringLiteral("router client %1: lock line refused").arg(client->address));
            send(client, Videohub::nak());
            return false;
        }
        const QChar l = letter.at(0);
        if ((l == QLatin1Char('O') || l == QLatin1Char('L') || l == QLatin1Char('U')) &&
            locks->lockedAgainst(port + 1, me)) {
            emit logLine(QStringLiteral("router client %1: output %2 is locked by %3")
                             .arg(client->address)
                             .arg(port + 1)
                             .arg(locks->holder(port + 1)));
            send(client, Videohub::nak());
            return false;
        }
        wanted.insert(port + 1, l);
    }
    send(client, Videohub::ack());
    const QString holderText = QStringLiteral("router client %1").arg(client->address);
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (it.value() == QLatin1Char('F'))
            locks->forceUnlock(it.key());
        else if (it.value() == QLatin1Char('U'))
            locks->unlock(it.key(), me);
        else
            locks->lock(it.key(), me, holderText);
    }
    return true;
}

bool RouterServer::handleRouting(const ClientPtr &client, const Block &block)
{
    const QString me = ownerKey(client);
    QMap<int, int> routes; // output -> input, both from 1
    QString why;
    if (!_device.present || !_ctx->isConnected())
        why = QStringLiteral("no device is connected");
    else if (block.lines.size() > _device.outputs)
        why = QStringLiteral("more lines than outputs");
    for (const QString &line : block.lines) {
        if (!why.isEmpty())
            break;
        int out = 0;
        QString rest;
        bool inOk = false;
        if (!splitLine(line, &out, &rest)) {
            why = QStringLiteral("malformed line");
            break;
        }
        const int in = rest.trimmed().toInt(&inOk);
        if (!inOk || rest.trimmed().size() > 4 || out >= _device.outputs || in < 0 || in >= _device.inputs)
            why = QStringLiteral("no such port");
        else if (_ctx->locks()->lockedAgainst(out + 1, me))
            why =
                QStringLiteral("output %1 is locked by %2").arg(out + 1).arg(_ctx->locks()->holder(out + 1));
        else
            routes.insert(out + 1, in + 1);
    }
    if (!why.isEmpty()) {
        emit logLine(QStringLiteral("router client %1: routing refused: %2").arg(client->address, why));
        send(client, Videohub::nak());
        return false;
    }
    send(client, Videohub::ack());
    _ctx->history()->beginStep(); // one block, one step to undo
    for (const auto &line : RouteTable::byInput(routes)) {
        emit logLine(QStringLiteral("router client %1 routes input %2 to outputs %3")
                         .arg(client->address)
                         .arg(line.first)
                         .arg([&] {
                             QStringList o;
                             for (int x : line.second)
                                 o.append(QString::number(x));
                             return o.join(QLatin1Char(' '));
                         }()));
        _ctx->routeOutputs(line.first, line.second);
    }
    _ctx->history()->endStep();
    return true;
}
