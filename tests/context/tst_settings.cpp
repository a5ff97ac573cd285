// The settings file: loading, one-key saves, start-up application of the saved keys,
// and keeping the operator's data when the file is damaged or cannot be written.
#include "AppContext.h"
#include "SettingsStore.h"
#include "TestWorkDir.h"
#include "Unprivileged.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TstSettings : public QObject
{
    Q_OBJECT
private slots:
    void missingFileStartsEmptyAndIsCreatedOnFirstChange();
    void damagedFileLoadsEmpty_data();
    void damagedFileLoadsEmpty();
    void damagedFileIsKeptAsBackupBeforeOverwrite();
    void initAppliesSavedKeysWithTypeRules();
    void initWithWrongTypes();
    void unknownKeysSurviveEverySave();
    void oneKeySaveReloadsFileFirst();
    void indentedJson();
    void failedWriteLeavesOldFileIntact();
    void unreadableFileIsNeverSavedOver();
    void panelUsesWorkingDirectoryFileElseUserConfig();
};

namespace {
QJsonObject fileObject(const TestWorkDir &dir)
{
    return QJsonDocument::fromJson(dir.read("setting.data")).object();
}
} // namespace

void TstSettings::missingFileStartsEmptyAndIsCreatedOnFirstChange()
{
    TestWorkDir dir;
    AppContext ctx;
    QSignalSpy setting(&ctx, &AppContext::settingChanged);
    QSignalSpy inited(&ctx, &AppContext::initedChanged);
    ctx.init();
    QCOMPARE(setting.count(), 1);
    QCOMPARE(inited.count(), 1);
    QVERIFY(ctx.inited());
    QCOMPARE(ctx.connectType(), 0);
    QCOMPARE(ctx.currentSerialport(), QString(""));
    QCOMPARE(ctx.currentSerialportBaudrate(), 0);
    QCOMPARE(ctx.currentIP(), QString(""));
    QCOMPARE(ctx.language(), false);
    QVERIFY(!QFile::exists(dir.file("setting.data"))); // nothing to apply, nothing written

    ctx.setCurrentSerialport("COM1");
    QCOMPARE(fileObject(dir), (QJsonObject{{"currentSerialport", "COM1"}}));
}

void TstSettings::damagedFileLoadsEmpty_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("array") << QByteArray("[1, 2, 3]");
    QTest::newRow("invalid") << QByteArray("{\"in\": {\"001\": \"Cam");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("number") << QByteArray("42");
}

void TstSettings::damagedFileLoadsEmpty()
{
    QFETCH(QByteArray, content);
    TestWorkDir dir;
    dir.write("setting.data", content);
    AppContext ctx;
    ctx.setSetting(QJsonObject{{"stale", true}});
    QSignalSpy setting(&ctx, &AppContext::settingChanged);
    ctx.loadSetting();
    QCOMPARE(setting.count(), 1);
    QCOMPARE(ctx.setting(), QJsonObject());

    ctx.setCurrentSerialport("COM2");
    QCOMPARE(fileObject(dir), (QJsonObject{{"currentSerialport", "COM2"}}));
}

void TstSettings::damagedFileIsKeptAsBackupBeforeOverwrite()
{
    TestWorkDir dir;
    const QByteArray damaged = "{\"in\": {\"001\": \"Stage left\"}, \"out\": {\"0";
    dir.write("setting.data", damaged);
    AppContext ctx;
    ctx.init();
    ctx.setConnectType(1);
    QCOMPARE(dir.read("setting.data.bak"), damaged);
    QCOMPARE(fileObject(dir), (QJsonObject{{"connectType", 1}}));

    // A good file is never copied over the backup.
    ctx.setConnectType(0);
    QCOMPARE(dir.read("setting.data.bak"), damaged);
}

void TstSettings::initAppliesSavedKeysWithTypeRules()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"connectType": 1, "currentSerialport": "ttyUSB0",
        "currentSerialportBaudrate": 19200, "currentIP": "192.168.0.7"})");
    AppContext ctx;
    QStringList order;
    connect(&ctx, &AppContext::connectTypeChanged, this, [&] { order << "connectType"; });
    connect(&ctx, &AppContext::currentSerialportChanged, this, [&] { order << "currentSerialport"; });
    connect(&ctx, &AppContext::currentSerialportBaudrateChanged, this, [&] { order << "baud"; });
    connect(&ctx, &AppContext::currentIPChanged, this, [&] { order << "currentIP"; });
    connect(&ctx, &AppContext::initedChanged, this, [&] { order << "inited"; });
    ctx.init();
    QCOMPARE(order, (QStringList{"connectType", "currentSerialport", "baud", "currentIP", "inited"}));
    QCOMPARE(ctx.connectType(), 1);
    QCOMPARE(ctx.currentSerialport(), QString("ttyUSB0"));
    QCOMPARE(ctx.currentSerialportBaudrate(), 19200);
    QCOMPARE(ctx.currentIP(), QString("192.168.0.7"));
    QVERIFY(!fileObject(dir).contains("languageCN")); // absent key is not added
}

void TstSettings::initWithWrongTypes()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"connectType": "1", "currentSerialport": 5,
        "currentSerialportBaudrate": 9600.5, "currentIP": ["x"], "languageCN": "yes"})");
    AppContext ctx;
    ctx.init();
    QCOMPARE(ctx.connectType(), 0);
    QCOMPARE(ctx.currentSerialport(), QString(""));
    QCOMPARE(ctx.currentSerialportBaudrate(), 0);
    QCOMPARE(ctx.currentIP(), QString(""));
    QCOMPARE(ctx.language(), false);
    // The setters wrote the values back with their proper types.
    const QJsonObject saved = fileObject(dir);
    QCOMPARE(saved.value("connectType"), QJsonValue(0));
    QCOMPARE(saved.value("currentSerialport"), QJsonValue(""));
    QCOMPARE(saved.value("languageCN"), QJsonValue(false));
}

void TstSettings::unknownKeysSurviveEverySave()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"VideoWall": {"rows": 2, "columns": 3}, "future": {"a": [1]},
        "sence": {"016": "Finale"}})");
    AppContext ctx;
    ctx.init();
    ctx.setConnectType(1);
    ctx.changeLangeuageZhCN(false);
    QJsonObject s = ctx.setting();
    s.insert("in", QJsonObject{{"001", "Cam"}});
    ctx.setSetting(s);
    ctx.saveSetting();
    const QJsonObject saved = fileObject(dir);
    QCOMPARE(saved.value("VideoWall"), QJsonValue(QJsonObject{{"rows", 2}, {"columns", 3}}));
    QCOMPARE(saved.value("future"), QJsonValue(QJsonObject{{"a", QJsonArray{1}}}));
    QCOMPARE(saved.value("sence").toObject().value("016"), QJsonValue("Finale"));
    QCOMPARE(saved.value("in").toObject().value("001"), QJsonValue("Cam"));
}

void TstSettings::oneKeySaveReloadsFileFirst()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"in": {"001": "On disk"}})");
    AppContext ctx;
    ctx.loadSetting();
    // An unsaved in-memory change is replaced by the file's content...
    QJsonObject s = ctx.setting();
    s.insert("in", QJsonObject{{"001", "Unsaved"}});
    ctx.setSetting(s);
    // ...and a change made to the file meanwhile is kept.
    dir.write("setting.data", R"({"in": {"001": "On disk"}, "out": {"002": "Projector"}})");
    ctx.setCurrentIP("10.1.1.1");
    const QJsonObject saved = fileObject(dir);
    QCOMPARE(saved.value("in").toObject().value("001"), QJsonValue("On disk"));
    QCOMPARE(saved.value("out").toObject().value("002"), QJsonValue("Projector"));
    QCOMPARE(ctx.setting().value("currentIP"), QJsonValue("10.1.1.1"));
}

void TstSettings::indentedJson()
{
    TestWorkDir dir;
    AppContext ctx;
    ctx.setConnectType(1);
    ctx.setCurrentIP("1.2.3.4");
    const QByteArray text = dir.read("setting.data");
    QVERIFY(text.startsWith("{\n    \""));
    QVERIFY(text.contains("\n    \"currentIP\": \"1.2.3.4\""));
}

void TstSettings::failedWriteLeavesOldFileIntact()
{
    TestWorkDir dir;
    const QByteArray original = R"({"in": {"001": "Keep me"}})";
    dir.write("setting.data", original);
    SettingsStore store;
    QJsonObject big;
    for (int i = 0; i < 200; ++i)
        big.insert(QString("key%1").arg(i), QString(100, 'x'));

    // A file size limit makes every larger write fail, as a full disk would.
    struct rlimit old
    {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = store.save(big);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(dir.read("setting.data"), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"setting.data"}); // no temp file left
    QVERIFY(store.save(QJsonObject{{"in", QJsonObject{{"001", "New"}}}}));
    QCOMPARE(store.load().value("in").toObject().value("001"), QJsonValue("New"));
}

void TstSettings::unreadableFileIsNeverSavedOver()
{
    // A settings file the panel's user may not read (a copy made by another user, say)
    // holds the operator's names; running with defaults must not replace it.
    TestWorkDir dir;
    const QByteArray original = QJsonDocument(QJsonObject{{"connectType", 1},
                                                          {"currentIP", "127.0.0.5"},
                                                          {"in", QJsonObject{{"001", "Camera"}}}})
                                    .toJson();
    dir.write("setting.data", original);
    // Writable but not readable: nothing but the new check stops a save from replacing it.
    QVERIFY(QFile::setPermissions(dir.file("setting.data"), QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                                QFileDevice::WriteGroup |
                                                                QFileDevice::WriteOther));
    // The directory itself is open to all, so a save could replace the file.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));

    const int result = runUnprivileged([] {
        AppContext ctx;
        ctx.init();
        if (ctx.connectType() != 0 || !ctx.currentIP().isEmpty())
            return 1; // defaults expected
        if (ctx.connectProblem() != ConnectProblem::SettingsUnreadable)
            return 2; // said once, on the connection screen
        ctx.setConnectType(1);
        ctx.setCurrentIP(QStringLiteral("127.0.0.9"));
        ctx.saveSetting();
        ctx.connectTerminal(); // the next attempt clears the notice
        if (ctx.connectProblem() == ConnectProblem::SettingsUnreadable)
            return 3;
        return 0;
    });
    QCOMPARE(result, 0);
    QCOMPARE(dir.read("setting.data"), original);
    QVERIFY(!QFile::exists(dir.file("setting.data.bak")));
}

// The program's choice: a "setting.data" in the working directory, else the one in the
// user's configuration folder, whose folders the first save makes.
void TstSettings::panelUsesWorkingDirectoryFileElseUserConfig()
{
    TestWorkDir dir; // the user's configuration folder is dir/config meanwhile
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaro"));
    const QString user =
        dir.file(QStringLiteral("config/Tessaro/%1/setting.data").arg(QCoreApplication::applicationName()));
    AppContext ctx;
    ctx.chooseSettingsFile();
    QCOMPARE(ctx.settingsPath(), user);
    ctx.init();
    ctx.setCurrentIP("10.0.0.9");
    QCOMPARE(SettingsStore(user).load().value("currentIP"), QJsonValue("10.0.0.9"));
    QVERIFY(!QFile::exists(dir.file("setting.data")));

    // A file in the working directory is used as it is, and the user's is left alone.
    dir.write("setting.data", R"({"currentIP": "192.168.7.7"})");
    AppContext here;
    here.chooseSettingsFile();
    QCOMPARE(here.settingsPath(), dir.file("setting.data"));
    here.init();
    QCOMPARE(here.currentIP(), QString("192.168.7.7"));
    here.setCurrentIP("192.168.7.8");
    QCOMPARE(fileObject(dir).value("currentIP"), QJsonValue("192.168.7.8"));
    QCOMPARE(SettingsStore(user).load().value("currentIP"), QJsonValue("10.0.0.9"));
}

QTEST_MAIN(TstSettings)
#include "tst_settings.moc"
