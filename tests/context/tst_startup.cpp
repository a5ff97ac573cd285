// The built program: starting with or without an updater, failing to load its window, and
// what it prints.
#include "TestWorkDir.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void runsWithoutUpdaterAndIgnoresWorkingDirectory();
    void updaterBesideProgramGetsVersionPidAndManifest();
    void mainWindowThatFailsToLoadExitsWithMinusOne();
    void installedProgramIgnoresMainWindowOverride();
    void debugChatterOnlyWhenAskedFor_data();
    void debugChatterOnlyWhenAskedFor();
    void settingsFileIsNamedAtStart();
};

namespace {

void writeScript(const QString &path, const QByteArray &body)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

void stop(QProcess &p)
{
    p.kill();
    p.waitForFinished(5000);
}

} // namespace

void TstStartup::runsWithoutUpdaterAndIgnoresWorkingDirectory()
{
    TestWorkDir dir;
    // An "update" dropped into the working directory must never be run.
    writeScript(dir.file("update"), "touch \"$(dirname \"$0\")/ran\"\n");
    writeScript(dir.file("update.exe"), "touch \"$(dirname \"$0\")/ran\"\n");
    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", dir.path() + ":" + env.value("PATH"));
    panel.setProcessEnvironment(env);
    panel.start(QString(TESSARO_BIN), QStringList());
    QVERIFY(panel.waitForStarted());
    QVERIFY(!panel.waitForFinished(2000)); // still running: the window opened
    QCOMPARE(panel.state(), QProcess::Running);
    stop(panel);
    QVERIFY(!QFile::exists(dir.file("ran")));
}

void TstStartup::updaterBesideProgramGetsVersionPidAndManifest()
{
    TestWorkDir dir;
    QVERIFY(QDir(dir.path()).mkdir("bin"));
    const QString program = dir.file("bin/tessaro");
    QVERIFY(QFile::copy(TESSARO_BIN, program));
    QFile(program).setPermissions(QFile(TESSARO_BIN).permissions());
    writeScript(dir.file("bin/update"), "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");

    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    panel.start(program, QStringList());
    QVERIFY(panel.waitForStarted());
    const QString argsFile = dir.file("bin/args.txt");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(argsFile) && QFileInfo(argsFile).size() > 0, 10000);
    QFile f(argsFile);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList args = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(args.size(), 3);
    QCOMPARE(args.at(0), QString("1.2.3.3"));
    QCOMPARE(args.at(1), QString::number(panel.processId()));
    QVERIFY(args.at(2).startsWith("http://"));
    QVERIFY(args.at(2).endsWith("/tessaro/updates.json"));
    stop(panel);
}

void TstStartup::mainWindowThatFailsToLoadExitsWithMinusOne()
{
    TestWorkDir dir;
    dir.write("broken.qml", "import QtQuick 2.15\nWindow { this is not qml }\n");
    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSARO_MAIN_QML", QUrl::fromLocalFile(dir.file("broken.qml")).toString());
    panel.setProcessEnvironment(env);
    panel.start(QString(TESSARO_TEST_BIN), QStringList());
    QVERIFY(panel.waitForFinished(15000));
    QCOMPARE(panel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(panel.exitCode(), 255); // -1 as the shell sees it
}

void TstStartup::installedProgramIgnoresMainWindowOverride()
{
    // A window that would end the program at once if it were loaded.
    TestWorkDir dir;
    dir.write("quit.qml", "import QtQuick 2.15\nItem { Component.onCompleted: Qt.exit(3) }\n");
    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    panel.setProcessChannelMode(QProcess::MergedChannels);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSARO_MAIN_QML", QUrl::fromLocalFile(dir.file("quit.qml")).toString());
    env.insert("QT_LOGGING_RULES", "tessaro.context.debug=true");
    panel.setProcessEnvironment(env);
    panel.start(QString(TESSARO_BIN), QStringList());
    QVERIFY(panel.waitForStarted());
    // Its own connection screen comes up and scans the serial ports.
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += panel.readAll()).contains("scan serial ports:") ||
                                 panel.state() != QProcess::Running,
                             15000);
    QVERIFY2(panel.state() == QProcess::Running, output.constData());
    stop(panel);
}

void TstStartup::debugChatterOnlyWhenAskedFor_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("rules");
    QTest::addColumn<bool>("chatter");
    QTest::newRow("plain") << QStringList() << QString() << false;
    QTest::newRow("--verbose") << QStringList{"--verbose"} << QString() << true;
    QTest::newRow("Qt's logging rules") << QStringList() << QString("tessaro.context.debug=true") << true;
}

void TstStartup::debugChatterOnlyWhenAskedFor()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, rules);
    QFETCH(bool, chatter);
    // The panel's own window, then a line of the test's: the connection screen has
    // scanned the serial ports (and said so, if it may) before that line comes.
    TestWorkDir dir;
    dir.write("up.qml", "import QtQuick 2.15\n"
                        "Item { Component.onCompleted: {\n"
                        "    var w = Qt.createComponent(\"qrc:/main.qml\").createObject(null)\n"
                        "    console.log(\"tessaro-test: window \" + (w ? \"up\" : \"missing\")) } }\n");
    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    panel.setProcessChannelMode(QProcess::MergedChannels);
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSARO_MAIN_QML", QUrl::fromLocalFile(dir.file("up.qml")).toString());
    env.remove("QT_LOGGING_CONF");
    if (rules.isEmpty())
        env.remove("QT_LOGGING_RULES");
    else
        env.insert("QT_LOGGING_RULES", rules);
    panel.setProcessEnvironment(env);
    panel.start(QString(TESSARO_TEST_BIN), arguments);
    QVERIFY(panel.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += panel.readAll()).contains("tessaro-test: window") ||
                                 panel.state() != QProcess::Running,
                             15000);
    stop(panel);
    QVERIFY2(output.contains("tessaro-test: window up"), output.constData());
    QCOMPARE(output.contains("scan serial ports:"), chatter);
}

// Without a setting.data in its working directory, the program keeps the one in the
// user's configuration folder (dir/config during the test) and names it at start.
void TstStartup::settingsFileIsNamedAtStart()
{
    TestWorkDir dir;
    QProcess panel;
    panel.setWorkingDirectory(dir.path());
    panel.setProcessChannelMode(QProcess::MergedChannels);
    panel.start(QString(TESSARO_BIN), QStringList());
    QVERIFY(panel.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += panel.readAll()).contains("settings file:") || panel.state() != QProcess::Running, 15000);
    stop(panel);
    const QString expected = dir.file("config/Tessaro/tessaro/setting.data");
    QVERIFY2(output.contains("settings file: " + expected.toLocal8Bit() + "\n"), output.constData());
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
