#include "ConfigSteps.h"

#include "AppContext.h"
#include "EdidCodec.h"
#include "RouteTable.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace Config {

namespace {

using Values = QMap<QString, QJsonValue>;

// The operation that sets each board member, in the order of boardMembers().
using BoardOperation = void (AppContext::*)(int, int);
const BoardOperation kBoardOperations[] = {
    &AppContext::sendCmd_SetRXTXResolution, &AppContext::sendCmd_SetRXTXAudioSelect,
    &AppContext::sendCmd_SetRXTXBrightness, &AppContext::sendCmd_SetRXTXContrast,
    &AppContext::sendCmd_SetRXTXSharpness,  &AppContext::sendCmd_SetRXTXColorTempR,
    &AppContext::sendCmd_SetRXTXColorTempG, &AppContext::sendCmd_SetRXTXColorTempB,
};

// An output-state report parsed from the device, not the all-on list a model reply makes
// (whose entries carry the number 1 rather than a truth value).
bool deviceOutputReport(const QJsonArray &states)
{
    return !states.isEmpty() && states.first().toObject().value(QStringLiteral("isOpen")).isBool();
}

// A number the device sent as text in its board report.
bool boardNumber(const QJsonValue &v, int *out)
{
    bool ok = false;
    const int n = v.isDouble() ? v.toInt() : v.toString().trimmed().toInt(&ok, 10);
    if (v.isDouble())
        ok = true;
    *out = n;
    return ok;
}

Step query(const QString &what, Note note, const QStringList &keys, std::function<void()> send,
           std::function<bool()> take, const QString &family = QString())
{
    Step s;
    s.what = what;
    s.note = note;
    s.keys = keys;
    s.send = std::move(send);
    s.take = std::move(take);
    s.family = family;
    return s;
}

Step change(const QString &what, Note note, std::function<void()> send, std::function<bool()> take = {})
{
    Step s;
    s.what = what;
    s.note = note;
    s.send = std::move(send);
    s.take = take ? std::move(take) : [] { return true; };
    s.query = false;
    return s;
}

// A query answered by a text property.
Step textQuery(AppContext *ctx, const Item &item, const Model &model, Note note, void (AppContext::*get)(),
               QString (AppContext::*value)() const, Values *values)
{
    const QString key = item.key;
    return query(
        itemLabel(item, model), note, {key}, [ctx, get] { (ctx->*get)(); },
        [ctx, value, values, key] {
            values->insert(key, (ctx->*value)());
            return true;
        });
}

} // namespace

void connectNotes(AppContext *ctx, QObject *receiver, const std::function<void(Note)> &fn)
{
    const auto on = [&](auto signal, Note note) {
        QObject::connect(ctx, signal, receiver, [fn, note] { fn(note); });
    };
    on(&AppContext::swsChanged, Note::Routing);
    on(&AppContext::outputSTChanged, Note::Outputs);
    on(&AppContext::beepChanged, Note::Beep);
    on(&AppContext::ipChanged, Note::Ip);
    on(&AppContext::ipMaskChanged, Note::Mask);
    on(&AppContext::ipGatewayChanged, Note::Gateway);
    on(&AppContext::serviceTypeChanged, Note::ServiceType);
    on(&AppContext::serviceNumChanged, Note::ServiceNum);
    on(&AppContext::currentOutPEChanged, Note::OutPE);
    on(&AppContext::currentOutSWChanged, Note::OutSwing);
    on(&AppContext::currentInEQChanged, Note::InEQ);
    on(&AppContext::currentEDIDStrChanged, Note::Edid);
    on(&AppContext::currentHDMIAudioSelChanged, Note::AudioInsert);
    on(&AppContext::sgAudioHdmiOrAnalogChanged, Note::AudioSource);
    on(&AppContext::inputOutputInfosChanged, Note::Board);
    on(&AppContext::sgOutResSelectChanged, Note::OutRes);
    QObject::connect(ctx, &AppContext::isConnectedChanged, receiver, [ctx, fn] {
        if (!ctx->isConnected())
            fn(Note::LinkDown);
    });
}

void readNames(const AppContext *ctx, const QVector<Item> &items, Values *values)
{
    static const char *const members[] = {"in", "out", "sence"};
    const QJsonObject setting = ctx->setting();
    for (const Item &item : items) {
        if (item.kind != Kind::Name)
            continue;
        const QJsonObject names = setting.value(QLatin1String(members[item.member])).toObject();
        const QJsonValue v = names.value(QStringLiteral("%1").arg(item.port, 3, 10, QLatin1Char('0')));
        QString name;
        if (v.isString())
            name = v.toString();
        else if (v.isDouble())
            name = QString::number(v.toDouble());
        values->insert(item.key, name.left(kMaxNameLength));
    }
}

QVector<Step> querySteps(AppContext *ctx, const Model &model, const QVector<Item> &items, Values *values)
{
    QVector<Step> steps;
    QStringList routeKeys, outputKeys;
    QMap<int, QVector<Item>> boards;
    for (const Item &item : items) {
        if (item.kind == Kind::Route)
            routeKeys.append(item.key);
        else if (item.kind == Kind::OutputOn)
            outputKeys.append(item.key);
        else if (item.kind == Kind::Board)
            boards[item.port].append(item);
    }
    const int outs = model.outputs;
    if (!routeKeys.isEmpty())
        steps.append(query(
            areaLabel(Area::Routing), Note::Routing, routeKeys, [ctx] { ctx->sendCmd_GetSW(); },
            [ctx, values, outs] {
                const QVector<int> routing = ctx->confirmedRouting();
                for (int o = 1; o <= qMin(outs, routing.size()); ++o)
                    if (routing.at(o - 1) > 0)
                        values->insert(QStringLiteral("routing/%1").arg(o), routing.at(o - 1));
                return true;
            }));
    if (!outputKeys.isEmpty())
        steps.append(query(
            areaLabel(Area::Outputs), Note::Outputs, outputKeys, [ctx] { ctx->sendCmd_GetOutput(); },
            [ctx, values, outs] {
                const QJsonArray states = ctx->outputST();
                if (!deviceOutputReport(states))
                    return false;
                for (const QJsonValue &v : states) {
                    const QJsonObject o = v.toObject();
                    const int index = o.value(QStringLiteral("index")).toInt();
                    if (index >= 1 && index <= outs)
                        values->insert(QStringLiteral("outputs/%1").arg(index),
                                       o.value(QStringLiteral("isOpen")).toBool());
                }
                return true;
            }));

    for (const Item &item : items) {
        const QString key = item.key;
        const int port = item.port;
        const QString label = itemLabel(item, model);
        switch (item.kind) {
        case Kind::Beep:
            steps.append(query(
                label, Note::Beep, {key}, [ctx] { ctx->sendCmd_GetBeepEn(); },
                [ctx, values, key] {
                    values->insert(key, ctx->beep());
                    return true;
                }));
            break;
        case Kind::Ip:
            steps.append(
                textQuery(ctx, item, model, Note::Ip, &AppContext::sendCmd_GetIP, &AppContext::ip, values));
            break;
        case Kind::Mask:
            steps.append(textQuery(ctx, item, model, Note::Mask, &AppContext::sendCmd_GetIPMask,
                                   &AppContext::ipMask, values));
            break;
        case Kind::Gateway:
            steps.append(textQuery(ctx, item, model, Note::Gateway, &AppContext::sendCmd_GetIPGateway,
                                   &AppContext::ipGateway, values));
            break;
        case Kind::ServiceType:
            steps.append(textQuery(ctx, item, model, Note::ServiceType, &AppContext::sendCmd_GetServiceType,
                                   &AppContext::serviceType, values));
            break;
        case Kind::ServiceNum:
            steps.append(textQuery(ctx, item, model, Note::ServiceNum, &AppContext::sendCmd_GetServiceNum,
                                   &AppContext::serviceNum, values));
            break;
        case Kind::OutPE:
            steps.append(query(
                label, Note::OutPE, {key}, [ctx, port] { ctx->sendCmd_GetOutPE(port); },
                [ctx, values, key, port] {
                    if (ctx->currentOutPESWPort() != port)
                        return false;
                    values->insert(key, ctx->currentOutPE());
                    return true;
                },
                QStringLiteral("pe")));
            break;
        case Kind::OutSwing:
            steps.append(query(
                label, Note::OutSwing, {key}, [ctx, port] { ctx->sendCmd_GetOutSW(port); },
                [ctx, values, key, port] {
                    if (ctx->currentOutPESWPort() != port)
                        return false;
                    values->insert(key, ctx->currentOutSW());
                    return true;
                },
                QStringLiteral("swing")));
            break;
        case Kind::InEQ:
            steps.append(query(
                label, Note::InEQ, {key}, [ctx, port] { ctx->sendCmd_GetRXEQ(port); },
                [ctx, values, key] {
                    values->insert(key, ctx->currentInEQ());
                    return true;
                },
                QStringLiteral("eq")));
            break;
        case Kind::UserEdid: {
            const int slot = edidSlot(model, port);
            steps.append(query(
                label, Note::Edid, {key}, [ctx, slot] { ctx->sendCmd_GetEDIDData(slot); },
                [ctx, values, key] {
                    const QByteArray bytes = EdidCodec::fromText(ctx->currentEDIDStr().toLatin1());
                    if (bytes.isEmpty())
                        return false;
                    values->insert(key, edidToHex(bytes));
                    return true;
                },
                QStringLiteral("edid")));
            break;
        }
        case Kind::AudioInsert:
            steps.append(query(
                label, Note::AudioInsert, {key}, [ctx, port] { ctx->sendCmd_GetHDMIAudio(port); },
                [ctx, values, key, port] {
                    if (ctx->currentHDMIAudioSelPort() != port)
                        return false;
                    values->insert(key, ctx->currentHDMIAudioSel());
                    return true;
                },
                QStringLiteral("insert")));
            break;
        case Kind::AudioSource:
            steps.append(query(
                label, Note::AudioSource, {key}, [ctx, port] { ctx->sendCmd_GetAudioHdmiOrAnlog(port); },
                [ctx, values, key, port] {
                    values->insert(key, ctx->cmd_GetAudioHdmiOrAnlog(port));
                    return true;
                },
                QStringLiteral("source")));
            break;
        case Kind::OutputRes: {
            const int board = outputBoard(model, port);
            steps.append(query(
                label, Note::OutRes, {key}, [ctx, board] { ctx->sendCmd_GetRXTXResolution(board); },
                [ctx, values, key] {
                    values->insert(key, ctx->OutRes());
                    return true;
                },
                QStringLiteral("outres")));
            break;
        }
        default:
            break;
        }
    }

    for (auto it = boards.cbegin(); it != boards.cend(); ++it) {
        const int board = it.key();
        const QVector<Item> members = it.value();
        QStringList keys;
        for (const Item &m : members)
            keys.append(m.key);
        const QString label = board <= model.inputs ? tr("Input board %1").arg(board)
                                                    : tr("Output board %1").arg(board - model.inputs);
        steps.append(query(
            label, Note::Board, keys, [ctx, board] { ctx->sendCmd_ReadRXTXInfo(board); },
            [ctx, values, board, members] {
                const QJsonValue entry = ctx->inputOutputInfos().value(QString::number(board));
                if (!entry.isObject())
                    return false;
                const QJsonObject info = entry.toObject();
                for (const Item &m : members) {
                    int n = 0;
                    const QJsonValue v = info.value(QLatin1String(boardMembers().at(m.member).reportName));
                    if (!v.isUndefined() && boardNumber(v, &n))
                        values->insert(m.key, n);
                }
                return true;
            },
            QStringLiteral("board")));
    }
    return steps;
}

QVector<Step> changeSteps(AppContext *ctx, const Model &model, const QVector<Row> &rows)
{
    QVector<Step> steps;
    QMap<int, int> routes;    // output -> input
    QMap<int, int> routeRows; // output -> row
    QMap<int, QString> names[3];
    QVector<int> nameRows[3];
    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows.at(i);
        if (row.item.kind == Kind::Route) {
            routes.insert(row.item.port, row.file.toInt());
            routeRows.insert(row.item.port, i);
        } else if (row.item.kind == Kind::Name) {
            names[row.item.member].insert(row.item.port, row.file.toString());
            nameRows[row.item.member].append(i);
        }
    }

    static const char *const nameLists[] = {QT_TRANSLATE_NOOP("Config", "Input names"),
                                            QT_TRANSLATE_NOOP("Config", "Output names"),
                                            QT_TRANSLATE_NOOP("Config", "Scene names")};
    for (int list = 0; list < 3; ++list) {
        if (nameRows[list].isEmpty())
            continue;
        const QMap<int, QString> changes = names[list];
        steps.append(change(tr(nameLists[list]), Note::None, [ctx, list, changes] {
            if (list < 2) {
                ctx->setChannelNames(list == 0, changes);
                return;
            }
            // Scene names live in the settings object's "sence" member, like the naming
            // screen keeps them.
            QJsonObject setting = ctx->setting();
            QJsonObject scenes = setting.value(QStringLiteral("sence")).toObject();
            for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
                const QString key = QStringLiteral("%1").arg(it.key(), 3, 10, QLatin1Char('0'));
                if (it.value().isEmpty())
                    scenes.remove(key);
                else
                    scenes.insert(key, it.value());
            }
            setting.insert(QStringLiteral("sence"), scenes);
            ctx->setSetting(setting);
            ctx->saveSetting();
        }));
        steps.last().rows = nameRows[list];
    }

    for (const auto &line : RouteTable::byInput(routes)) {
        const int in = line.first;
        const QList<int> outs = line.second;
        steps.append(change(tr("Routing to input %1").arg(in), Note::Routing,
                            [ctx, in, outs] { ctx->routeOutputs(in, outs); }));
        for (int o : outs)
            steps.last().rows.append(routeRows.value(o));
    }

    for (int i = 0; i < rows.size(); ++i) {
        const Row &row = rows.at(i);
        const int stepsBefore = steps.size();
        const Item item = row.item;
        const int port = item.port;
        const QString label = itemLabel(item, model);
        const int n = row.file.toInt();
        const QString text = row.file.toString();
        switch (item.kind) {
        case Kind::OutputOn: {
            const bool on = row.file.toBool();
            steps.append(change(
                label, Note::Outputs, [ctx, port, on] { ctx->sendCmd_SetOutput(port, on, 0); },
                [ctx] { return deviceOutputReport(ctx->outputST()); }));
            break;
        }
        case Kind::Beep: {
            const bool on = row.file.toBool();
            steps.append(change(label, Note::Beep, [ctx, on] { ctx->sendCmd_SetBeepEn(on); }));
            break;
        }
        case Kind::OutPE:
            steps.append(change(
                label, Note::OutPE, [ctx, port, n] { ctx->sendCmd_SetOutPE(port, n); },
                [ctx, port] { return ctx->currentOutPESWPort() == port; }));
            break;
        case Kind::OutSwing:
            steps.append(change(
                label, Note::OutSwing, [ctx, port, n] { ctx->sendCmd_SetOutSW(port, n); },
                [ctx, port] { return ctx->currentOutPESWPort() == port; }));
            break;
        case Kind::InEQ:
            steps.append(change(label, Note::InEQ, [ctx, port, n] { ctx->sendCmd_SetRXEQ(port, n); }));
            break;
        case Kind::UserEdid: {
            const int slot = edidSlot(model, port);
            const QString hex = EdidCodec::toText(edidFromHex(text));
            steps.append(
                change(label, Note::Edid, [ctx, slot, hex] { ctx->sendCmd_SetEDIDData(slot, hex); }));
            break;
        }
        case Kind::AudioInsert:
            steps.append(change(
                label, Note::AudioInsert, [ctx, port, n] { ctx->sendCmd_HDMIAudioInsertSlect(port, n); },
                [ctx, port] { return ctx->currentHDMIAudioSelPort() == port; }));
            break;
        case Kind::AudioSource:
            steps.append(change(label, Note::AudioSource,
                                [ctx, port, n] { ctx->sendCmd_SetAudioHdmiOrAnlog(port, n); }));
            break;
        case Kind::Board: {
            const BoardOperation op = kBoardOperations[item.member];
            steps.append(change(label, Note::Board, [ctx, op, port, n] { (ctx->*op)(port, n); }));
            break;
        }
        case Kind::OutputRes: {
            const int board = outputBoard(model, port);
            steps.append(
                change(label, Note::Board, [ctx, board, n] { ctx->sendCmd_SetRXTXResolution(board, n); }));
            break;
        }
        case Kind::ServiceType:
            steps.append(
                change(label, Note::ServiceType, [ctx, text] { ctx->sendCmd_SetServiceType(text); }));
            break;
        case Kind::ServiceNum:
            steps.append(change(label, Note::ServiceNum, [ctx, text] { ctx->sendCmd_SetServiceNum(text); }));
            break;
        case Kind::Mask:
            steps.append(change(label, Note::Mask, [ctx, text] { ctx->sendCmd_SetIPMask(text); }));
            break;
        case Kind::Gateway:
            steps.append(change(label, Note::Gateway, [ctx, text] { ctx->sendCmd_SetIPGateway(text); }));
            break;
        case Kind::Ip:
            steps.append(change(label, Note::Ip, [ctx, text] { ctx->sendCmd_SetIP(text); }));
            break;
        case Kind::Route:
        case Kind::Name:
            break;
        }
        if (steps.size() > stepsBefore)
            steps.last().rows = {i};
    }
    return steps;
}

} // namespace Config
