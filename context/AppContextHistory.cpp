// Undo and redo of routing, and routing staged for a take: what the history asks for goes
// out through the same operations as the screens' own routing (locks apply).
#include "AppContext.h"

#include "ModelCatalogue.h"
#include "RouteStage.h"
#include "RouteTable.h"
#include "RoutingHistory.h"

#include <QJsonObject>

void AppContext::wireHistory()
{
    _history = new RoutingHistory(this);
    _stage = new RouteStage(this);
    connect(_history, &RoutingHistory::routesRequested, this, [this](const QMap<int, int> &wanted) {
        // Only outputs that do not show their input already: the fewest lines.
        const QVector<int> now = confirmedRouting();
        QMap<int, int> routes;
        for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
            if (now.value(it.key() - 1, 0) != it.value())
                routes.insert(it.key(), it.value());
        for (const auto &line : RouteTable::byInput(routes)) {
            QJsonArray outs;
            for (int o : line.second)
                outs.append(o);
            sendCmd_SW(line.first, outs);
        }
    });
    connect(_history, &RoutingHistory::sceneRequested, this, [this](int scene) { sendCmd_CallSence(scene); });
    connect(_history, &RoutingHistory::outputsRequested, this, [this](const QMap<int, bool> &states) {
        // The paced model takes its output commands one after another, as the screen
        // sends them.
        const bool paced = ModelCatalogue::inGroup(_mode, ModelCatalogue::Group::PacedOutput);
        for (auto it = states.cbegin(); it != states.cend(); ++it)
            sendCmd_SetOutput(it.key(), it.value(), paced ? it.key() * (it.value() ? 400 : 200) : 0);
    });
    connect(this, &AppContext::isConnectedChanged, _history, [this] {
        if (!isConnected())
            _history->clear();
    });
}

QMap<int, int> AppContext::routingOf(const QList<int> &outputs) const
{
    const QVector<int> now = confirmedRouting();
    QMap<int, int> known;
    for (int o : outputs)
        if (o >= 1 && o <= now.size() && now.at(o - 1) > 0)
            known.insert(o, now.at(o - 1));
    return known;
}

QList<int> AppContext::allOutputs() const
{
    QList<int> all;
    for (int o = 1; o <= _outchannels; ++o)
        all.append(o);
    return all;
}

bool AppContext::outputOpen(int output) const
{
    for (const QJsonValue &v : _outputST) {
        const QJsonObject st = v.toObject();
        if (st.value(QStringLiteral("index")).toInt() == output) {
            const QJsonValue open = st.value(QStringLiteral("isOpen"));
            return open.isBool() ? open.toBool() : open.toInt() != 0;
        }
    }
    return true;
}
