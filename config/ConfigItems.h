#pragma once

#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// The settings of a device that a configuration holds: one item per value, in a fixed
// order per model. Every item has a key, its path in the configuration file
// ("routing/3", "network/ip", "boards/17/brightness"), and belongs to one area.
namespace Config {

// Areas, in the order they are read and applied; the network comes last because a
// change there may cut the link.
enum class Area
{
    Names,
    Routing,
    Outputs,
    Beep,
    Signal,
    Edid,
    Audio,
    Boards,
    Resolution,
    Network,
};

// An operator's text in the language chosen (translation context "Config").
QString tr(const char *source);

inline uint qHash(Area area, uint seed = 0)
{
    return ::qHash(int(area), seed);
}

QList<Area> allAreas();
// "routing", "outputs", ... as the file's sections and the command line's --only.
QString areaId(Area area);
bool areaFromId(const QString &id, Area *area);
QString areaLabel(Area area);

enum class Kind
{
    Route,       // port: output; value: input (int)
    OutputOn,    // port: output; value: bool
    Beep,        // value: bool
    Ip,          // value: dotted quad
    Mask,        // value: dotted quad, a netmask
    Gateway,     // value: dotted quad
    ServiceType, // value: text, one of the known service types
    ServiceNum,  // value: text, a port number
    OutPE,       // port: output; value: int
    OutSwing,    // port: output; value: int
    InEQ,        // port: input; value: int
    UserEdid,    // port: USER number 1-5; value: hex text
    AudioInsert, // port: input; value: 0 HDMI, 1 external
    AudioSource, // port: output; value: 0 HDMI, 1 analog
    Board,       // port: board; member: index in boardMembers(); value: int
    OutputRes,   // port: output; value: int
    Name,        // port: channel; member: 0 inputs, 1 outputs, 2 scenes; value: text
};

struct Item
{
    Kind kind = Kind::Beep;
    Area area = Area::Beep;
    int port = 0;
    int member = 0;
    QString key;
};

// The device a configuration belongs to.
struct Model
{
    QString id;
    int inputs = 0;
    int outputs = 0;

    bool valid() const { return !id.isEmpty() && inputs > 0 && outputs > 0; }
};

// One setting of a board: its name in the file, its member in the device's board report,
// the values it takes, and whether output boards have it.
struct BoardMember
{
    const char *fileName;
    const char *reportName;
    bool inputBoardsOnly;
    int low;
    int high;
};
const QVector<BoardMember> &boardMembers();

constexpr int kUserEdids = 5;
constexpr int kScenes = 16;
constexpr int kMaxNameLength = 100;

// Every item the model has that a query can read back (or, for names, that the panel
// keeps), in reading order. What the device cannot report is not in it.
QVector<Item> plan(const Model &model);
QVector<Item> plan(const Model &model, const QSet<Area> &areas);

// The device's EDID slot of a USER number on this model.
int edidSlot(const Model &model, int user);
// Device numbering of the board of an output of this model.
int outputBoard(const Model &model, int output);

// Whether a value is acceptable for the item on this model: its type, its range, and
// for texts their form (dotted quads, a netmask, a known service type, a port number,
// EDID hex of whole 128-byte blocks). Only such values are ever sent. Empty when good,
// otherwise why not, for the operator.
QString checkValue(const Item &item, const QJsonValue &value, const Model &model);
// Same setting on both sides (names compare as the screens show them).
bool sameValue(const Item &item, const QJsonValue &a, const QJsonValue &b);

QString itemLabel(const Item &item, const Model &model);
QString valueText(const Item &item, const QJsonValue &value);

// EDID bytes as the file keeps them (lower-case hex, no spaces) and back.
QString edidToHex(const QByteArray &bytes);
QByteArray edidFromHex(const QString &hex);

QStringList knownServiceTypes();

} // namespace Config
