#pragma once

#include <QMap>
#include <QObject>
#include <QVariantList>

class AppContext;

// Preview, then take: while active, routing asked for on the switching screen is staged
// instead of sent. take() sends everything staged as the fewest routing lines (one per
// input) as one step of the routing history; clear() drops it. The device's confirmed
// routing is never touched by what is staged.
class RouteStage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // Staged changes in output order: {output, from, to}, "from" the confirmed input now.
    Q_PROPERTY(QVariantList changes READ changes NOTIFY changed)
    Q_PROPERTY(int count READ count NOTIFY changed)
public:
    explicit RouteStage(AppContext *context);

    bool active() const { return _active; }
    // Turning preview off drops what is staged.
    void setActive(bool on);
    QVariantList changes() const;
    int count() const { return _staged.size(); }

    // Stages input `in` for the outputs; locked outputs are refused and returned.
    Q_INVOKABLE QVariantList stage(int in, const QVariantList &outputs);
    // Stages "One To One": output k from input k (the last input for outputs beyond it).
    Q_INVOKABLE QVariantList stageOneToOne();
    // The staged input of an output, 0 when none.
    Q_INVOKABLE int stagedInput(int output) const { return _staged.value(output, 0); }
    Q_INVOKABLE void take();
    Q_INVOKABLE void clear();

signals:
    void activeChanged();
    void changed();

private:
    AppContext *_ctx;
    bool _active = false;
    QMap<int, int> _staged; // output -> input
};
