#include "ConfigItems.h"

#include "AdvanceLists.h"
#include "EdidDecoder.h"
#include "ModelCatalogue.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRegularExpression>
#include <QVariantMap>

#include <cmath>

namespace Config {

QString tr(const char *source)
{
    return QCoreApplication::translate("Config", source);
}

namespace {

const char *const kAreaIds[] = {"names", "routing", "outputs", "beep",       "signal",
                                "edid",  "audio",   "boards",  "resolution", "network"};

// Values of one of the advanced screen's option lists.
QList<int> listValues(const QVariantList &list)
{
    QList<int> values;
    for (const QVariant &entry : list)
        values.append(entry.toMap().value(QStringLiteral("value")).toInt());
    return values;
}

QString listTitle(const QVariantList &list, int value)
{
    for (const QVariant &entry : list) {
        const QVariantMap map = entry.toMap();
        if (map.value(QStringLiteral("value")).toInt() == value)
            return map.value(QStringLiteral("title")).toString();
    }
    return QString::number(value);
}

bool wholeNumber(const QJsonValue &v, int *out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (std::floor(d) != d || d < -1e9 || d > 1e9)
        return false;
    *out = int(d);
    return true;
}

const QRegularExpression &dottedQuad()
{
    static const QRegularExpression re(QStringLiteral("^(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])("
                                                      "\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])"
                                                      "){3}$"));
    return re;
}

bool contiguousMask(const QString &text)
{
    quint32 bits = 0;
    for (const QString &part : text.split(QLatin1Char('.')))
        bits = (bits << 8) | part.toUInt();
    const quint32 inverted = ~bits;
    return (inverted & (inverted + 1)) == 0; // ones, then only zeros
}

// Board resolutions the board models take.
const QList<int> kBoardResolutions = {1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 18};

QString numberKey(int n)
{
    return QString::number(n);
}

Item make(Kind kind, Area area, const QString &key, int port = 0, int member = 0)
{
    Item item;
    item.kind = kind;
    item.area = area;
    item.port = port;
    item.member = member;
    item.key = key;
    return item;
}

const char *const kNameLists[] = {"inputs", "outputs", "scenes"};

} // namespace

QList<Area> allAreas()
{
    return {Area::Names, Area::Routing, Area::Outputs, Area::Beep,       Area::Signal,
            Area::Edid,  Area::Audio,   Area::Boards,  Area::Resolution, Area::Network};
}

QString areaId(Area area)
{
    return QString::fromLatin1(kAreaIds[int(area)]);
}

bool areaFromId(const QString &id, Area *area)
{
    for (Area a : allAreas())
        if (areaId(a) == id) {
            *area = a;
            return true;
        }
    return false;
}

QString areaLabel(Area area)
{
    switch (area) {
    case Area::Names:
        return tr("Names");
    case Area::Routing:
        return tr("Routing");
    case Area::Outputs:
        return tr("Outputs on/off");
    case Area::Beep:
        return tr("Beep");
    case Area::Signal:
        return tr("Signal");
    case Area::Edid:
        return tr("EDID");
    case Area::Audio:
        return tr("Audio");
    case Area::Boards:
        return tr("Boards");
    case Area::Resolution:
        return tr("Output resolution");
    case Area::Network:
        return tr("Network (applied last; may cut the link)");
    }
    return QString();
}

const QVector<BoardMember> &boardMembers()
{
    static const QVector<BoardMember> members = {
        {"resolution", "OutResolution", false, 1, 18},
        {"audio", "AudioSelect", true, 0, 1},
        {"brightness", "Brt", false, 0, 100},
        {"contrast", "Contrs", false, 0, 100},
        {"sharpness", "Sharp", false, 0, 100},
        {"red", "TempR", false, 0, 255},
        {"green", "TempG", false, 0, 255},
        {"blue", "TempB", false, 0, 255},
    };
    return members;
}

int edidSlot(const Model &model, int user)
{
    return AdvanceLists::firstEdidValue(model.id, model.inputs) + user - 1;
}

int outputBoard(const Model &model, int output)
{
    return model.inputs + output;
}

QVector<Item> plan(const Model &model)
{
    QSet<Area> all;
    for (Area a : allAreas())
        all.insert(a);
    return plan(model, all);
}

QVector<Item> plan(const Model &model, const QSet<Area> &areas)
{
    QVector<Item> items;
    if (!model.valid())
        return items;
    using Group = ModelCatalogue::Group;
    AdvanceLists flags; // what the advanced screen offers this model
    flags.applyMode(model.id);
    const int ins = model.inputs;
    const int outs = model.outputs;

    for (Area area : allAreas()) {
        if (!areas.contains(area))
            continue;
        const QString id = areaId(area);
        switch (area) {
        case Area::Names: {
            const int counts[] = {ins, outs, kScenes};
            for (int list = 0; list < 3; ++list)
                for (int n = 1; n <= counts[list]; ++n)
                    items.append(make(Kind::Name, area,
                                      id + QLatin1Char('/') + QLatin1String(kNameLists[list]) +
                                          QLatin1Char('/') + numberKey(n),
                                      n, list));
            break;
        }
        case Area::Routing:
            for (int o = 1; o <= outs; ++o)
                items.append(make(Kind::Route, area, id + QLatin1Char('/') + numberKey(o), o));
            break;
        case Area::Outputs:
            for (int o = 1; o <= outs; ++o)
                items.append(make(Kind::OutputOn, area, id + QLatin1Char('/') + numberKey(o), o));
            break;
        case Area::Beep:
            items.append(make(Kind::Beep, area, id));
            break;
        case Area::Signal:
            if (flags.peSetting())
                for (int o = 1; o <= outs; ++o)
                    items.append(make(Kind::OutPE, area, QStringLiteral("signal/pe/") + numberKey(o), o));
            if (flags.txSwing())
                for (int o = 1; o <= outs; ++o)
                    items.append(
                        make(Kind::OutSwing, area, QStringLiteral("signal/swing/") + numberKey(o), o));
            for (int i = 1; i <= ins; ++i)
                items.append(make(Kind::InEQ, area, QStringLiteral("signal/eq/") + numberKey(i), i));
            break;
        case Area::Edid:
            for (int u = 1; u <= kUserEdids; ++u)
                items.append(make(Kind::UserEdid, area, QStringLiteral("edid/USER%1").arg(u), u));
            break;
        case Area::Audio:
            if (flags.audioInsert())
                for (int i = 1; i <= ins; ++i)
                    items.append(
                        make(Kind::AudioInsert, area, QStringLiteral("audio/insert/") + numberKey(i), i));
            if (flags.hdmiOrAnalog())
                for (int o = 1; o <= outs; ++o)
                    items.append(
                        make(Kind::AudioSource, area, QStringLiteral("audio/source/") + numberKey(o), o));
            break;
        case Area::Boards:
            if (!ModelCatalogue::inGroup(model.id, Group::BoardSettings))
                break;
            for (int b = 1; b <= ins + outs; ++b)
                for (int m = 0; m < boardMembers().size(); ++m) {
                    if (b > ins && boardMembers().at(m).inputBoardsOnly)
                        continue;
                    items.append(make(Kind::Board, area,
                                      QStringLiteral("boards/%1/%2")
                                          .arg(b)
                                          .arg(QLatin1String(boardMembers().at(m).fileName)),
                                      b, m));
                }
            break;
        case Area::Resolution:
            // The board models keep it with the rest of the board.
            if (!ModelCatalogue::inGroup(model.id, Group::OutputResolution) ||
                ModelCatalogue::inGroup(model.id, Group::BoardSettings))
                break;
            for (int o = 1; o <= outs; ++o)
                items.append(make(Kind::OutputRes, area, id + QLatin1Char('/') + numberKey(o), o));
            break;
        case Area::Network:
            items.append(make(Kind::ServiceType, area, QStringLiteral("network/serviceType")));
            items.append(make(Kind::ServiceNum, area, QStringLiteral("network/serviceNumber")));
            items.append(make(Kind::Mask, area, QStringLiteral("network/mask")));
            items.append(make(Kind::Gateway, area, QStringLiteral("network/gateway")));
            items.append(make(Kind::Ip, area, QStringLiteral("network/ip")));
            break;
        }
    }
    return items;
}

QStringList knownServiceTypes()
{
    return {QStringLiteral("TCP"),        QStringLiteral("UDP"),        QStringLiteral("TCP Server"),
            QStringLiteral("TCP Client"), QStringLiteral("UDP Server"), QStringLiteral("UDP Client")};
}

QString edidToHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

QByteArray edidFromHex(const QString &hex)
{
    return QByteArray::fromHex(hex.toLatin1());
}

QString checkValue(const Item &item, const QJsonValue &value, const Model &model)
{
    int n = 0;
    const auto numberIn = [&](const QList<int> &allowed) -> QString {
        if (!wholeNumber(value, &n))
            return tr("not a whole number");
        return allowed.contains(n) ? QString() : tr("%1 is not one of the values this model takes").arg(n);
    };
    const auto numberFrom = [&](int low, int high) -> QString {
        if (!wholeNumber(value, &n))
            return tr("not a whole number");
        return n >= low && n <= high ? QString() : tr("%1 is outside %2 to %3").arg(n).arg(low).arg(high);
    };
    const QString text = value.toString();
    switch (item.kind) {
    case Kind::Route:
        return numberFrom(1, model.inputs);
    case Kind::OutputOn:
    case Kind::Beep:
        return value.isBool() ? QString() : tr("not true or false");
    case Kind::Ip:
    case Kind::Gateway:
        return value.isString() && dottedQuad().match(text).hasMatch()
                   ? QString()
                   : tr("not an address like 192.168.1.10");
    case Kind::Mask:
        return value.isString() && dottedQuad().match(text).hasMatch() && contiguousMask(text)
                   ? QString()
                   : tr("not a netmask like 255.255.255.0");
    case Kind::ServiceType:
        for (const QString &known : knownServiceTypes())
            if (value.isString() && text.compare(known, Qt::CaseInsensitive) == 0)
                return QString();
        return tr("not a known service type (%1)").arg(knownServiceTypes().join(QStringLiteral(", ")));
    case Kind::ServiceNum: {
        static const QRegularExpression port(QStringLiteral("^[1-9][0-9]{0,4}$"));
        return value.isString() && port.match(text).hasMatch() && text.toInt() <= 65535
                   ? QString()
                   : tr("not a port number from 1 to 65535");
    }
    case Kind::OutPE:
        return numberIn(listValues(AdvanceLists::peList(model.id)));
    case Kind::OutSwing:
        return numberIn(listValues(AdvanceLists::swingList(model.id)));
    case Kind::InEQ:
        return numberFrom(0, 255);
    case Kind::UserEdid: {
        static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]*$"));
        const int bytes = text.size() / 2;
        if (!value.isString() || text.size() % 2 != 0 || !hex.match(text).hasMatch())
            return tr("not EDID hex");
        return bytes >= 128 && bytes <= 512 && bytes % 128 == 0
                   ? QString()
                   : tr("%1 bytes of EDID; an EDID is 1 to 4 blocks of 128 bytes").arg(bytes);
    }
    case Kind::AudioInsert:
        return numberIn(listValues(AdvanceLists::audioInsertList()));
    case Kind::AudioSource:
        return numberIn(listValues(AdvanceLists::hdmiOrAnalogList()));
    case Kind::Board: {
        const BoardMember &m = boardMembers().at(item.member);
        if (QLatin1String(m.fileName) == QLatin1String("resolution"))
            return numberIn(kBoardResolutions);
        return numberFrom(m.low, m.high);
    }
    case Kind::OutputRes:
        return numberIn(listValues(AdvanceLists::outputResolutionList()));
    case Kind::Name: {
        if (!value.isString())
            return tr("not a text");
        if (text.size() > kMaxNameLength)
            return tr("longer than %1 characters").arg(kMaxNameLength);
        for (const QChar c : text)
            if (c.category() == QChar::Other_Control)
                return tr("holds a control character");
        return QString();
    }
    }
    return tr("unknown setting");
}

namespace {
// A name as the screens show it: the channel's number stands for no name.
QString shownName(const Item &item, const QJsonValue &v)
{
    const QString text = v.toString();
    return text.isEmpty() ? QString::number(item.port) : text;
}
} // namespace

bool sameValue(const Item &item, const QJsonValue &a, const QJsonValue &b)
{
    switch (item.kind) {
    case Kind::Name:
        return shownName(item, a) == shownName(item, b);
    case Kind::UserEdid:
        return edidFromHex(a.toString()) == edidFromHex(b.toString());
    default:
        return a == b;
    }
}

QString itemLabel(const Item &item, const Model &model)
{
    switch (item.kind) {
    case Kind::Route:
    case Kind::OutputOn:
        return tr("Output %1").arg(item.port);
    case Kind::Beep:
        return tr("Beep");
    case Kind::Ip:
        return tr("IP address");
    case Kind::Mask:
        return tr("Netmask");
    case Kind::Gateway:
        return tr("Gateway");
    case Kind::ServiceType:
        return tr("Service type");
    case Kind::ServiceNum:
        return tr("Service number");
    case Kind::OutPE:
        return tr("Output %1 PE").arg(item.port);
    case Kind::OutSwing:
        return tr("Output %1 TX swing").arg(item.port);
    case Kind::InEQ:
        return tr("Input %1 EQ").arg(item.port);
    case Kind::UserEdid:
        return tr("USER%1 EDID").arg(item.port);
    case Kind::AudioInsert:
        return tr("Input %1 audio").arg(item.port);
    case Kind::AudioSource:
        return tr("Output %1 audio").arg(item.port);
    case Kind::Board: {
        static const char *const memberLabels[] = {
            QT_TRANSLATE_NOOP("Config", "resolution"),  QT_TRANSLATE_NOOP("Config", "audio"),
            QT_TRANSLATE_NOOP("Config", "brightness"),  QT_TRANSLATE_NOOP("Config", "contrast"),
            QT_TRANSLATE_NOOP("Config", "sharpness"),   QT_TRANSLATE_NOOP("Config", "color red"),
            QT_TRANSLATE_NOOP("Config", "color green"), QT_TRANSLATE_NOOP("Config", "color blue")};
        const QString member = tr(memberLabels[item.member]);
        if (item.port <= model.inputs)
            return tr("Input board %1: %2").arg(item.port).arg(member);
        return tr("Output board %1: %2").arg(item.port - model.inputs).arg(member);
    }
    case Kind::OutputRes:
        return tr("Output %1 resolution").arg(item.port);
    case Kind::Name: {
        static const char *const lists[] = {QT_TRANSLATE_NOOP("Config", "Input %1 name"),
                                            QT_TRANSLATE_NOOP("Config", "Output %1 name"),
                                            QT_TRANSLATE_NOOP("Config", "Scene %1 name")};
        return tr(lists[item.member]).arg(item.port);
    }
    }
    return item.key;
}

QString valueText(const Item &item, const QJsonValue &value)
{
    if (value.isUndefined() || value.isNull())
        return tr("(not read)");
    int n = 0;
    const bool number = wholeNumber(value, &n);
    switch (item.kind) {
    case Kind::Route:
        return tr("Input %1").arg(n);
    case Kind::OutputOn:
    case Kind::Beep:
        return value.toBool() ? tr("On") : tr("Off");
    case Kind::UserEdid: {
        const QByteArray bytes = edidFromHex(value.toString());
        const edid::Info info =
            edid::decode(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        const QString sum =
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(8));
        if (info.monitorName)
            return tr("%1 bytes, \"%2\", %3")
                .arg(bytes.size())
                .arg(QString::fromStdString(*info.monitorName).trimmed(), sum);
        return tr("%1 bytes, %2").arg(bytes.size()).arg(sum);
    }
    case Kind::AudioInsert:
        return n == 1 ? tr("External audio") : tr("HDMI");
    case Kind::AudioSource:
        return n == 1 ? tr("Analog") : tr("HDMI");
    case Kind::OutputRes:
        return listTitle(AdvanceLists::outputResolutionList(), n);
    case Kind::Board:
        if (QLatin1String(boardMembers().at(item.member).fileName) == QLatin1String("audio"))
            return n == 1 ? tr("External audio") : tr("HDMI");
        return QString::number(n);
    case Kind::Name:
        return value.toString().isEmpty() ? tr("(no name)") : value.toString();
    default:
        return number ? QString::number(n) : value.toString();
    }
}

} // namespace Config
