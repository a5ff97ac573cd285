#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class QTimer;

// The state of one simulated device and its answers: every command line turns into
// zero or more reply lines (without CR LF). Reports that the device sends by itself
// (scene loop steps, its own routing changes) come through report().
class SimDevice : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSceneCount = 16;
    static constexpr int kEdidSize = 256;
    static constexpr int kMaxEdidSlot = 999;

    explicit SimDevice(const QString &model = QStringLiteral("DV-42"), QObject *parent = nullptr);
    ~SimDevice() override;

    QString model() const { return _model; }
    // Switches to a catalogue model (and its channel counts) and resets the state;
    // false, and nothing changes, for an identifier the catalogue does not know.
    bool setModel(const QString &model);
    int inputs() const { return _inputs; }
    int outputs() const { return _outputs; }
    int boards() const { return _inputs + _outputs; }

    // Answers one command line (without its CR LF).
    QStringList handleLine(const QString &line);
    // Factory state: routing one to one, all outputs on, default scenes, network,
    // EDIDs, ports and boards; the scene loop and the device's own reports stop.
    void reset();

    // Routing: the input (from 1) that feeds each output, index 0 for output 1.
    QVector<int> routing() const { return _routing; }
    QVector<bool> outputStates() const { return _outputOn; }
    QString swsLine() const;
    QString outputLine() const;

    bool sceneStored(int scene) const;
    QVector<int> sceneRouting(int scene) const;
    // The running loop as (scene from 1, seconds) pairs; empty when stopped.
    QVector<QPair<int, int>> sceneLoop() const { return _loop; }
    bool sceneLoopRunning() const { return !_loop.isEmpty(); }
    int currentLoopScene() const;

    // Milliseconds of real time per device second (1000 by default); tests shrink it.
    void setMsPerSecond(double ms);
    double msPerSecond() const { return _msPerSecond; }
    // The device changes output 1's source by itself every `seconds` and reports it;
    // 0 stops it.
    void setAutoRouteInterval(int seconds);
    // Routing faults: "SW" and "SWOTO" are ignored without an answer; or only the first
    // n outputs of each "SW" are applied (0: all).
    void setIgnoreRouting(bool on) { _ignoreRouting = on; }
    // Routes as the front panel or the remote control would, and reports it unless
    // told not to (a device that keeps such changes to itself until asked).
    void routeAtDevice(int output, int input, bool report = true);
    // Every `seconds` a random output goes to another input by itself (0 stops it).
    void setRandomRouteInterval(int seconds);
    void setPartialRouting(int outputs) { _partialRouting = qMax(0, outputs); }

    bool beepEnabled() const { return _beep; }
    QString ip() const { return _ip; }
    QString ipMask() const { return _ipMask; }
    QString ipGateway() const { return _gateway; }
    QString serviceType() const { return _serviceType; }
    QString serviceNum() const { return _serviceNum; }

    QByteArray edid(int slot) const;
    static QByteArray defaultEdid();
    int edidChoice(int input) const { return _edidChoice.value(input, 0); }

    int outPE(int port) const { return _outPE.value(port, 0); }
    int outSW(int port) const { return _outSW.value(port, 0); }
    int rxEQ(int port) const { return _rxEQ.value(port, 0); }
    int hdmiAudioInsert(int port) const { return _hdmiAudio.value(port, 0); }
    int audioHdmiOrAnalog(int port) const { return _audioHA.value(port, 0); }
    int mirror(int port) const { return _mirror.value(port, 0); }
    // Single values: "DisplayMode", "SplitterMode", "SpliceMode", "Resolution",
    // "RXRotate", "SlipterAudio".
    int modeValue(const QString &key) const { return _modes.value(key, 0); }

    QJsonObject board(int board) const;
    QString boardJson(int board) const;
    // Video wall placement as sent: width, height, x, y, group; gap: h, v.
    QVector<int> videoWall(int board) const { return _wall.value(board); }
    QVector<int> videoWallGap(int board) const { return _wallGap.value(board); }

    QString subtitleText(int port) const { return _subtitleText.value(port); }
    // "Enable", "TXTColor", "Pos", "TXTMove", "BG", "cAlpha".
    int subtitleValue(int port, const QString &key) const;
    // Decodes "\uXXXX" escapes (four hex digits per UTF-16 unit); false when the text
    // is not made of such escapes only.
    static bool decodeEscaped(const QString &escaped, QString *text);

    int beepCount() const { return _beepCount; }
    int bannerCount() const { return _bannerCount; }

signals:
    // A line the device sends by itself (CR LF is added by the server).
    void report(const QString &line);
    // What the device did, for the server's log.
    void logMessage(const QString &text);
    // A factory reset asks for a restart (emitted before its reply is returned).
    void rebootRequested();
    void modelChanged();

private:
    struct Scene
    {
        QVector<int> routing;
        QVector<bool> outputs;
        bool stored = false;
    };

    void resetState();
    void log(const QString &text);
    void stopLoop();
    void loopStep();
    void autoRoute();
    void recallScene(int scene);
    void resetBoard(int board);

    QStringList routingCommand(const QStringList &args);
    QStringList sceneCommand(const QString &cmd, const QStringList &args);
    bool portCommand(const QString &cmd, const QStringList &args, QStringList *replies);
    QStringList boardCommand(const QString &cmd, const QStringList &args);
    QStringList subtitleCommand(const QString &cmd, const QString &rest, const QStringList &args);
    QStringList edidCommand(const QString &cmd, const QString &rest, const QStringList &args);
    QStringList modeCommand(const QString &cmd, const QStringList &args);
    bool validInput(int port) const { return port >= 1 && port <= _inputs; }
    bool validOutput(int port) const { return port >= 1 && port <= _outputs; }
    bool validPort(int port) const { return port >= 1 && port <= qMax(_inputs, _outputs); }
    bool validBoard(int board) const { return board >= 1 && board <= boards(); }

    QString _model;
    int _inputs = 0;
    int _outputs = 0;

    QVector<int> _routing;
    QVector<bool> _outputOn;
    QVector<Scene> _scenes;
    QVector<QPair<int, int>> _loop;
    int _loopIndex = 0;
    QTimer *_loopTimer = nullptr;
    QTimer *_autoTimer = nullptr;
    double _msPerSecond = 1000.0;
    bool _ignoreRouting = false;
    bool _autoRandom = false;
    int _partialRouting = 0;

    bool _beep = true;
    QString _ip, _ipMask, _gateway, _serviceType, _serviceNum;
    QHash<int, QByteArray> _edid;
    QHash<int, int> _edidChoice;
    QHash<int, int> _outPE, _outSW, _rxEQ, _hdmiAudio, _audioHA, _mirror;
    QHash<QString, int> _modes;
    QMap<int, QJsonObject> _boards;
    QHash<int, QVector<int>> _wall, _wallGap;
    QHash<int, QString> _subtitleText;
    QHash<int, QHash<QString, int>> _subtitle;
    int _beepCount = 0;
    int _bannerCount = 0;
};
