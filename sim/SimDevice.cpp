#include "SimDevice.h"

#include "SimAdvanced.h"

#include "ModelCatalogue.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimer>

namespace {

const QStringList kSubtitleKeys = {QStringLiteral("Enable"), QStringLiteral("TXTColor"),
                                   QStringLiteral("Pos"),    QStringLiteral("TXTMove"),
                                   QStringLiteral("BG"),     QStringLiteral("cAlpha")};

// Reads the first `count` arguments as decimal integers; false when one is missing or
// not a number. Arguments after them are ignored.
bool readInts(const QStringList &args, int count, QVector<int> *out)
{
    if (args.size() < count)
        return false;
    out->clear();
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int v = args.at(i).toInt(&ok, 10);
        if (!ok)
            return false;
        out->append(v);
    }
    return true;
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// Hex bytes as the panel sends them: pairs of digits, separated by spaces or not.
bool parseHex(const QString &text, QByteArray *out)
{
    QByteArray digits;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (!isxdigit(c.unicode() < 128 ? c.toLatin1() : 'x'))
            return false;
        digits.append(c.toLatin1());
    }
    if (digits.size() % 2 != 0)
        return false;
    *out = QByteArray::fromHex(digits);
    return true;
}

QByteArray edidBytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

void finishBlock(QByteArray &block)
{
    block.append(QByteArray(128 - block.size(), '\0'));
    int sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += static_cast<unsigned char>(block.at(i));
    block[127] = static_cast<char>((256 - sum % 256) % 256);
}

} // namespace

SimDevice::SimDevice(const QString &model, QObject *parent) : QObject(parent)
{
    // Precise: a coarse timer may fire up to 5 % early, and a scene would then be left
    // before its time (noticeable with --ms-per-second).
    _loopTimer = new QTimer(this);
    _loopTimer->setSingleShot(true);
    _loopTimer->setTimerType(Qt::PreciseTimer);
    connect(_loopTimer, &QTimer::timeout, this, &SimDevice::loopStep);
    _autoTimer = new QTimer(this);
    _autoTimer->setTimerType(Qt::PreciseTimer);
    connect(_autoTimer, &QTimer::timeout, this, &SimDevice::autoRoute);
    if (!setModel(model))
        setModel(QStringLiteral("DV-42"));
}

SimDevice::~SimDevice() = default;

bool SimDevice::setModel(const QString &model)
{
    ModelCatalogue::Counts counts;
    if (!ModelCatalogue::lookup(model, &counts))
        return false;
    _model = model;
    _inputs = counts.inputs;
    _outputs = counts.outputs;
    resetState();
    emit modelChanged();
    return true;
}

void SimDevice::reset()
{
    resetState();
    _autoTimer->stop();
}

void SimDevice::resetState()
{
    stopLoop();
    _routing.resize(_outputs);
    _outputOn.fill(true, _outputs);
    for (int o = 0; o < _outputs; ++o)
        _routing[o] = qMin(o + 1, _inputs);
    _scenes = QVector<Scene>(kSceneCount);
    for (Scene &s : _scenes) {
        s.routing = _routing;
        s.outputs = _outputOn;
    }
    _beep = true;
    _ip = QStringLiteral("192.168.1.100");
    _ipMask = QStringLiteral("255.255.255.0");
    _gateway = QStringLiteral("192.168.1.1");
    _serviceType = QStringLiteral("TCP");
    _serviceNum = QStringLiteral("8080");
    _edid.clear();
    _edidChoice.clear();
    _outPE.clear();
    _outSW.clear();
    _rxEQ.clear();
    _hdmiAudio.clear();
    _audioHA.clear();
    _mirror.clear();
    _modes.clear();
    _boards.clear();
    for (int b = 1; b <= boards(); ++b)
        resetBoard(b);
    _wall.clear();
    _wallGap.clear();
    _subtitleText.clear();
    _subtitle.clear();
}

void SimDevice::resetBoard(int b)
{
    const bool input = b <= _inputs;
    QJsonObject o;
    o.insert(QStringLiteral("BoardID"), QString::number(b));
    o.insert(QStringLiteral("BoardVersion"), input ? QStringLiteral("V2.0") : QStringLiteral("V2.1"));
    o.insert(QStringLiteral("InputResolution"), QStringLiteral("1080P"));
    o.insert(QStringLiteral("OutResolution"), SimAdvanced::defaultOutResolution(_model));
    o.insert(QStringLiteral("AudioSelect"), QStringLiteral("0"));
    o.insert(QStringLiteral("Brt"), QStringLiteral("50"));
    o.insert(QStringLiteral("Contrs"), QStringLiteral("50"));
    o.insert(QStringLiteral("Sharp"), QStringLiteral("50"));
    o.insert(QStringLiteral("TempR"), QStringLiteral("128"));
    o.insert(QStringLiteral("TempG"), QStringLiteral("128"));
    o.insert(QStringLiteral("TempB"), QStringLiteral("128"));
    _boards.insert(b, o);
}

void SimDevice::log(const QString &text)
{
    emit logMessage(text);
}

QString SimDevice::swsLine() const
{
    QString line = QStringLiteral("SWS");
    for (int in : _routing)
        line += QLatin1Char(' ') + QString::number(in);
    return line;
}

QString SimDevice::outputLine() const
{
    QString line = QStringLiteral("OutPutST");
    for (bool on : _outputOn)
        line += on ? QStringLiteral(" 1") : QStringLiteral(" 0");
    return line;
}

QStringList SimDevice::handleLine(const QString &line)
{
    const int sp = line.indexOf(QLatin1Char(' '));
    const QString cmd = sp < 0 ? line : line.left(sp);
    const QString rest = sp < 0 ? QString() : line.mid(sp + 1);
    const QStringList args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    if (cmd == QLatin1String("PING"))
        return {_model};
    if (cmd == QLatin1String("GetSW"))
        return {swsLine()};
    if (cmd == QLatin1String("SWOTO"))
        return routingCommand({});
    if (cmd == QLatin1String("SW")) {
        if (args.isEmpty()) {
            log(QStringLiteral("SW ignored: no input"));
            return {};
        }
        return routingCommand(args);
    }
    if (cmd == QLatin1String("GetOutput"))
        return {outputLine()};
    if (cmd == QLatin1String("SetOutput")) {
        QVector<int> v;
        if (!readInts(args, 2, &v) || !validOutput(v[0])) {
            log(QStringLiteral("SetOutput ignored: bad arguments"));
            return {};
        }
        _outputOn[v[0] - 1] = v[1] != 0;
        return {outputLine()};
    }
    if (cmd == QLatin1String("SceneSave") || cmd == QLatin1String("SceneCall") ||
        cmd == QLatin1String("SenceDefault") || cmd.startsWith(QLatin1String("SetSenceLoop")))
        return sceneCommand(cmd, args);

    // Network and service settings: the whole argument text is the value.
    struct TextSetting
    {
        const char *get;
        const char *set;
        const char *reply;
        QString *value;
    };
    const TextSetting texts[] = {
        {"GetIP", "SetIP", "IP", &_ip},
        {"GetIPMask", "SetIPMask", "IPMask", &_ipMask},
        {"GetIPGateWay", "SetIPGateWay", "IPGateWay", &_gateway},
        {"GetServiceType", "SetServiceType", "ServiceType", &_serviceType},
        {"GetServiceNum", "SetServiceNum", "ServiceNum", &_serviceNum},
    };
    for (const TextSetting &t : texts) {
        if (cmd == QLatin1String(t.get))
            return {QLatin1String(t.reply) + QLatin1Char(' ') + *t.value};
        if (cmd == QLatin1String(t.set)) {
            if (rest.trimmed().isEmpty()) {
                log(QLatin1String(t.set) + QStringLiteral(" ignored: empty value"));
                return {};
            }
            *t.value = rest;
            return {QLatin1String(t.reply) + QLatin1Char(' ') + *t.value};
        }
    }

    if (cmd == QLatin1String("GetBeepEn"))
        return {QStringLiteral("BeepEn ") + (_beep ? QLatin1Char('1') : QLatin1Char('0'))};
    if (cmd == QLatin1String("SetBeepEn")) {
        QVector<int> v;
        if (!readInts(args, 1, &v)) {
            log(QStringLiteral("SetBeepEn ignored: bad arguments"));
            return {};
        }
        _beep = v[0] != 0;
        return {QStringLiteral("BeepEn ") + (_beep ? QLatin1Char('1') : QLatin1Char('0'))};
    }
    if (cmd == QLatin1String("BeepONOnce")) {
        ++_beepCount;
        log(QStringLiteral("beep"));
        return {};
    }
    if (cmd == QLatin1String("DisplayBanner")) {
        ++_bannerCount;
        log(QStringLiteral("banner shown: ") + rest);
        return {};
    }
    if (cmd == QLatin1String("ResetFactory")) {
        reset();
        log(QStringLiteral("factory reset; restarting"));
        emit rebootRequested();
        return {swsLine()};
    }
    if (cmd.contains(QLatin1String("EDID")))
        return edidCommand(cmd, rest, args);
    if (cmd.startsWith(QLatin1String("SetRXSubtitle")))
        return subtitleCommand(cmd, rest, args);
    if (cmd.contains(QLatin1String("RXTX")) || cmd == QLatin1String("SetVideoWallGap"))
        return boardCommand(cmd, args);

    QStringList replies;
    if (portCommand(cmd, args, &replies))
        return replies;
    return modeCommand(cmd, args);
}

QStringList SimDevice::routingCommand(const QStringList &args)
{
    if (_ignoreRouting) {
        log(QStringLiteral("!! routing command ignored (fault)"));
        return {};
    }
    if (args.isEmpty()) { // one to one
        for (int o = 0; o < _outputs; ++o)
            _routing[o] = qMin(o + 1, _inputs);
        return {swsLine()};
    }
    bool ok = false;
    const int in = args.first().toInt(&ok);
    if (!ok || !validInput(in)) {
        log(QStringLiteral("SW ignored: no input ") + args.first());
        return {};
    }
    for (int i = 1; i < args.size(); ++i) {
        if (_partialRouting > 0 && i > _partialRouting) {
            log(QStringLiteral("!! SW: output %1 left as it was (fault)").arg(args.at(i)));
            continue;
        }
        const int out = args.at(i).toInt(&ok);
        if (ok && validOutput(out))
            _routing[out - 1] = in;
        else
            log(QStringLiteral("SW: no output ") + args.at(i));
    }
    return {swsLine()};
}

QStringList SimDevice::sceneCommand(const QString &cmd, const QStringList &args)
{
    if (cmd == QLatin1String("SenceDefault")) {
        stopLoop();
        for (int o = 0; o < _outputs; ++o)
            _routing[o] = qMin(o + 1, _inputs);
        _outputOn.fill(true);
        for (Scene &s : _scenes) {
            s.routing = _routing;
            s.outputs = _outputOn;
            s.stored = false;
        }
        log(QStringLiteral("scenes back to default"));
        return {swsLine(), outputLine()};
    }
    if (cmd == QLatin1String("SetSenceLoopDis")) {
        stopLoop();
        log(QStringLiteral("scene loop stopped"));
        return {};
    }
    if (cmd == QLatin1String("SetSenceLoopEN")) {
        QVector<QPair<int, int>> loop;
        for (int i = 0; i + 1 < args.size(); i += 2) {
            bool ok1 = false, ok2 = false;
            const int scene = args.at(i).toInt(&ok1);
            const int secs = args.at(i + 1).toInt(&ok2);
            if (ok1 && ok2 && scene >= 0 && scene < kSceneCount && secs >= 1)
                loop.append({scene + 1, secs});
            else
                log(QStringLiteral("scene loop: entry skipped: ") + args.at(i) + QLatin1Char(' ') +
                    args.at(i + 1));
        }
        if (loop.isEmpty()) {
            log(QStringLiteral("SetSenceLoopEN ignored: no scenes"));
            return {};
        }
        stopLoop();
        _loop = loop;
        _loopIndex = 0;
        recallScene(_loop.first().first);
        _loopTimer->start(qMax(1, qRound(_loop.first().second * _msPerSecond)));
        log(QStringLiteral("scene loop started with %1 scenes").arg(_loop.size()));
        return {swsLine(), outputLine()};
    }
    QVector<int> v;
    if (!readInts(args, 1, &v) || v[0] < 1 || v[0] > kSceneCount) {
        log(cmd + QStringLiteral(" ignored: bad scene"));
        return {};
    }
    if (cmd == QLatin1String("SceneSave")) {
        Scene &s = _scenes[v[0] - 1];
        s.routing = _routing;
        s.outputs = _outputOn;
        s.stored = true;
        log(QStringLiteral("scene %1 stored").arg(v[0]));
        return {};
    }
    if (cmd == QLatin1String("SceneCall")) {
        recallScene(v[0]);
        return {swsLine(), outputLine()};
    }
    log(QStringLiteral("unknown command ") + cmd);
    return {};
}

void SimDevice::recallScene(int scene)
{
    const Scene &s = _scenes.at(scene - 1);
    _routing = s.routing;
    _outputOn = s.outputs;
    log(QStringLiteral("scene %1 recalled").arg(scene));
}

void SimDevice::stopLoop()
{
    _loop.clear();
    _loopIndex = 0;
    if (_loopTimer)
        _loopTimer->stop();
}

void SimDevice::loopStep()
{
    if (_loop.isEmpty())
        return;
    _loopIndex = (_loopIndex + 1) % _loop.size();
    recallScene(_loop.at(_loopIndex).first);
    _loopTimer->start(qMax(1, qRound(_loop.at(_loopIndex).second * _msPerSecond)));
    emit report(swsLine());
    emit report(outputLine());
}

int SimDevice::currentLoopScene() const
{
    return _loop.isEmpty() ? 0 : _loop.at(_loopIndex).first;
}

bool SimDevice::sceneStored(int scene) const
{
    return scene >= 1 && scene <= kSceneCount && _scenes.at(scene - 1).stored;
}

QVector<int> SimDevice::sceneRouting(int scene) const
{
    if (scene < 1 || scene > kSceneCount)
        return {};
    return _scenes.at(scene - 1).routing;
}

void SimDevice::setMsPerSecond(double ms)
{
    _msPerSecond = ms > 0 ? ms : 1000.0;
    if (_autoTimer->isActive())
        _autoTimer->setInterval(qMax(1, qRound(_autoTimer->property("seconds").toInt() * _msPerSecond)));
}

void SimDevice::setAutoRouteInterval(int seconds)
{
    _autoTimer->stop();
    _autoTimer->setProperty("seconds", seconds);
    if (seconds > 0)
        _autoTimer->start(qMax(1, qRound(seconds * _msPerSecond)));
}

void SimDevice::setRandomRouteInterval(int seconds)
{
    setAutoRouteInterval(seconds);
    _autoRandom = seconds > 0;
}

void SimDevice::routeAtDevice(int output, int input, bool reportIt)
{
    if (!validOutput(output) || !validInput(input))
        return;
    _routing[output - 1] = input;
    log(QStringLiteral("output %1 switched at the device to input %2").arg(output).arg(input));
    if (reportIt)
        emit report(swsLine());
}

void SimDevice::autoRoute()
{
    if (_outputs == 0 || _inputs == 0)
        return;
    if (_autoRandom) {
        const int out = int(QRandomGenerator::global()->bounded(_outputs)) + 1;
        const int in = (_routing[out - 1] + int(QRandomGenerator::global()->bounded(qMax(1, _inputs - 1)))) % _inputs + 1;
        routeAtDevice(out, in);
        return;
    }
    _routing[0] = _routing[0] % _inputs + 1;
    log(QStringLiteral("output 1 switched by the device to input %1").arg(_routing[0]));
    emit report(swsLine());
}

bool SimDevice::portCommand(const QString &cmd, const QStringList &args, QStringList *replies)
{
    struct PortValue
    {
        const char *get;
        const char *set;
        const char *reply;
        QHash<int, int> *values;
        bool outputs; // numbered as outputs, otherwise as inputs
    };
    const PortValue ports[] = {
        {"GetOutPE", "SetOutPE", "OutPE", &_outPE, true},
        {"GetOutSW", "SetOutSW", "OutSW", &_outSW, true},
        {"GetRXEQ", "SetRXEQ", "RXEQ", &_rxEQ, false},
        {"GetHDMIAudioInsert", "HDMIAudioInsert", "GetHDMIAudioInsert", &_hdmiAudio, false},
        {"GetAudioHdmiOrAnalog", "SetAudioHdmiOrAnalog", "AudioSelHA", &_audioHA, true},
        {nullptr, "TXMirror", "TXMirror", &_mirror, true},
    };
    for (const PortValue &p : ports) {
        const bool isGet = p.get && cmd == QLatin1String(p.get);
        if (!isGet && cmd != QLatin1String(p.set))
            continue;
        QVector<int> v;
        const bool ok = readInts(args, isGet ? 1 : 2, &v);
        if (!ok || !(p.outputs ? validOutput(v[0]) : validInput(v[0]))) {
            log(cmd + QStringLiteral(" ignored: bad arguments"));
            return true;
        }
        if (!isGet)
            p.values->insert(v[0], v[1]);
        replies->append(
            QStringLiteral("%1 %2 %3").arg(QLatin1String(p.reply)).arg(v[0]).arg(p.values->value(v[0], 0)));
        return true;
    }
    return false;
}

QStringList SimDevice::modeCommand(const QString &cmd, const QStringList &args)
{
    static const QHash<QString, QString> modes = {
        {QStringLiteral("SetDisplayMode"), QStringLiteral("DisplayMode")},
        {QStringLiteral("SetSplitterMode"), QStringLiteral("SplitterMode")},
        {QStringLiteral("SetSpliceMode"), QStringLiteral("SpliceMode")},
        {QStringLiteral("SetResolution"), QStringLiteral("Resolution")},
        {QStringLiteral("RXRotate"), QStringLiteral("RXRotate")},
        {QStringLiteral("SetSlipterAudio"), QStringLiteral("SlipterAudio")},
    };
    const auto it = modes.constFind(cmd);
    if (it == modes.constEnd()) {
        log(QStringLiteral("unknown command ") + cmd);
        return {};
    }
    QVector<int> v;
    if (!readInts(args, 1, &v)) {
        log(cmd + QStringLiteral(" ignored: bad arguments"));
        return {};
    }
    _modes.insert(it.value(), v[0]);
    return {it.value() + QLatin1Char(' ') + QString::number(v[0])};
}

QJsonObject SimDevice::board(int b) const
{
    return _boards.value(b);
}

QString SimDevice::boardJson(int b) const
{
    return QString::fromUtf8(QJsonDocument(_boards.value(b)).toJson(QJsonDocument::Compact));
}

QStringList SimDevice::boardCommand(const QString &cmd, const QStringList &args)
{
    static const QHash<QString, QString> members = {
        {QStringLiteral("SetRXTXResolution"), QStringLiteral("OutResolution")},
        {QStringLiteral("SetRXTXAudioSelect"), QStringLiteral("AudioSelect")},
        {QStringLiteral("SetRXTXBrtn"), QStringLiteral("Brt")},
        {QStringLiteral("SetRXTXCtrst"), QStringLiteral("Contrs")},
        {QStringLiteral("SetRXTXSharp"), QStringLiteral("Sharp")},
        {QStringLiteral("SetRXTXColorR"), QStringLiteral("TempR")},
        {QStringLiteral("SetRXTXColorG"), QStringLiteral("TempG")},
        {QStringLiteral("SetRXTXColorB"), QStringLiteral("TempB")},
    };
    int count = 1;
    if (members.contains(cmd))
        count = 2;
    else if (cmd == QLatin1String("SetRXTXVideoWall"))
        count = 6;
    else if (cmd == QLatin1String("SetVideoWallGap"))
        count = 3;
    else if (cmd != QLatin1String("ReadRXTXInfo") && cmd != QLatin1String("RXTXReset") &&
             cmd != QLatin1String("GetRXTXResolution")) {
        log(QStringLiteral("unknown command ") + cmd);
        return {};
    }
    QVector<int> v;
    if (!readInts(args, count, &v) || !validBoard(v[0])) {
        log(cmd + QStringLiteral(" ignored: bad arguments"));
        return {};
    }
    const int b = v[0];
    const QString info = QStringLiteral("GetReadRXTXInfo ");
    if (cmd == QLatin1String("ReadRXTXInfo"))
        return {info + boardJson(b)};
    if (cmd == QLatin1String("GetRXTXResolution"))
        return {QStringLiteral("OutRes %1 %2")
                    .arg(b)
                    .arg(_boards[b].value(QStringLiteral("OutResolution")).toString())};
    if (cmd == QLatin1String("RXTXReset")) {
        resetBoard(b);
        _wall.remove(b);
        _wallGap.remove(b);
        log(QStringLiteral("board %1 reset").arg(b));
        return {info + boardJson(b)};
    }
    if (cmd == QLatin1String("SetRXTXVideoWall")) {
        _wall.insert(b, v.mid(1));
        log(QStringLiteral("board %1 wall %2x%3 at %4,%5 group %6")
                .arg(b)
                .arg(v[1])
                .arg(v[2])
                .arg(v[3])
                .arg(v[4])
                .arg(v[5]));
        return {};
    }
    if (cmd == QLatin1String("SetVideoWallGap")) {
        _wallGap.insert(b, v.mid(1));
        log(QStringLiteral("board %1 wall gap %2,%3").arg(b).arg(v[1]).arg(v[2]));
        return {};
    }
    _boards[b].insert(members.value(cmd), QString::number(v[1]));
    return {info + boardJson(b)};
}

bool SimDevice::decodeEscaped(const QString &escaped, QString *text)
{
    if (escaped.size() % 6 != 0)
        return false;
    QString out;
    for (int i = 0; i < escaped.size(); i += 6) {
        if (escaped.at(i) != QLatin1Char('\\') || escaped.at(i + 1) != QLatin1Char('u'))
            return false;
        bool ok = false;
        const uint unit = escaped.mid(i + 2, 4).toUInt(&ok, 16);
        if (!ok)
            return false;
        out.append(QChar(static_cast<ushort>(unit)));
    }
    *text = out;
    return true;
}

int SimDevice::subtitleValue(int port, const QString &key) const
{
    return _subtitle.value(port).value(key, 0);
}

QStringList SimDevice::subtitleCommand(const QString &cmd, const QString &rest, const QStringList &args)
{
    const QString key = cmd.mid(QStringLiteral("SetRXSubtitle").size());
    if (key == QLatin1String("TXT")) {
        // The text may be empty: "SetRXSubtitleTXT 1 " carries an empty third field.
        const int sp = rest.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int port = (sp < 0 ? rest : rest.left(sp)).toInt(&ok);
        QString text;
        if (!ok || !validInput(port) || !decodeEscaped(sp < 0 ? QString() : rest.mid(sp + 1), &text)) {
            log(cmd + QStringLiteral(" ignored: bad arguments"));
            return {};
        }
        _subtitleText.insert(port, text);
        log(QStringLiteral("subtitle %1: \"%2\"").arg(port).arg(text));
        return {};
    }
    QVector<int> v;
    if (!kSubtitleKeys.contains(key)) {
        log(QStringLiteral("unknown command ") + cmd);
        return {};
    }
    if (!readInts(args, 2, &v) || !validInput(v[0])) {
        log(cmd + QStringLiteral(" ignored: bad arguments"));
        return {};
    }
    _subtitle[v[0]].insert(key, v[1]);
    log(QStringLiteral("subtitle %1 %2 = %3").arg(v[0]).arg(key).arg(v[1]));
    return {};
}

QByteArray SimDevice::edid(int slot) const
{
    return _edid.value(slot, defaultEdid());
}

QByteArray SimDevice::defaultEdid()
{
    QByteArray base = edidBytes({
        0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,             // header
        0x52, 0x72, 0x42, 0x00, 0x01, 0x00, 0x00, 0x00,             // maker, product, serial
        0x01, 0x21, 0x01, 0x03, 0x80, 0x50, 0x2D, 0x78, 0x0A,       // week/year, 1.3, digital, 80x45 cm
        0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54, // chromaticity
        0x21, 0x08, 0x00,                                           // established timings
        0xD1, 0xC0, 0x81, 0xC0, 0x81, 0x80, 0x01, 0x01,             // standard timings
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        // 1920x1080 at 60 Hz
        0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58, 0x2C, 0x45, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00,
        0x1E,
        // range limits
        0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0x4B, 0x1E, 0x53, 0x11, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20,
        0x20,
        // name
        0x00, 0x00, 0x00, 0xFC, 0x00, 'T', 'E', 'S', 'S', 'A', 'R', 'O', ' ', 'S', 'I', 'M', 0x0A, 0x20,
        // dummy descriptor
        0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00,
        0x01, // one extension block
    });
    finishBlock(base);
    QByteArray ext = edidBytes({0x02, 0x03, 0x04, 0x70, 0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D,
                                0x40, 0x58, 0x2C, 0x45, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E});
    finishBlock(ext);
    return base + ext;
}

QStringList SimDevice::edidCommand(const QString &cmd, const QString &rest, const QStringList &args)
{
    QVector<int> v;
    if (cmd == QLatin1String("SetEDID")) {
        if (!readInts(args, 2, &v) || !validInput(v[0])) {
            log(cmd + QStringLiteral(" ignored: bad arguments"));
            return {};
        }
        _edidChoice.insert(v[0], v[1]);
        log(QStringLiteral("input %1 uses EDID %2").arg(v[0]).arg(v[1]));
        return {};
    }
    if (cmd != QLatin1String("GetEDIDData") && cmd != QLatin1String("SetEDIDData")) {
        log(QStringLiteral("unknown command ") + cmd);
        return {};
    }
    if (!readInts(args, 1, &v) || v[0] < 0 || v[0] > kMaxEdidSlot) {
        log(cmd + QStringLiteral(" ignored: bad slot"));
        return {};
    }
    const int slot = v[0];
    if (cmd == QLatin1String("SetEDIDData")) {
        const int sp = rest.indexOf(QLatin1Char(' '));
        QByteArray bytes;
        if (sp < 0 || !parseHex(rest.mid(sp + 1), &bytes) || bytes.isEmpty() || bytes.size() > 512) {
            log(cmd + QStringLiteral(" ignored: bad EDID data"));
            return {};
        }
        _edid.insert(slot, bytes);
        log(QStringLiteral("EDID slot %1: %2 bytes stored").arg(slot).arg(bytes.size()));
    }
    return {QStringLiteral("EDIDData %1 ").arg(slot) + hexText(edid(slot))};
}
