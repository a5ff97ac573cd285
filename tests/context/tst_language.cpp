// Switching the interface language at run time and remembering the choice.
#include "AppContext.h"
#include "TestWorkDir.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

class TstLanguage : public QObject
{
    Q_OBJECT
private slots:
    void switchWritesKeyAndTranslates();
    void pendingOnlyDuringSwitch();
    void chineseTwiceThenEnglishLeavesEnglish();
    void startWithSavedChinese();
    void englishCatalogueMendsSourceTexts_data();
    void englishCatalogueMendsSourceTexts();
    void chineseWinsOverMendedEnglish();
};

namespace {
QString footerDisconnected()
{
    return QCoreApplication::translate("Footer", "Disconnected");
}
} // namespace

void TstLanguage::switchWritesKeyAndTranslates()
{
    TestWorkDir dir;
    AppContext ctx;
    QSignalSpy lang(&ctx, &AppContext::languageChanged);
    QSignalSpy setting(&ctx, &AppContext::settingChanged);
    ctx.changeLangeuageZhCN(true);
    QVERIFY(ctx.language());
    QCOMPARE(lang.count(), 1);
    QCOMPARE(setting.count(), 1); // the file is reloaded before the key is set
    QCOMPARE(footerDisconnected(), QString::fromUtf8("断开"));
    QCOMPARE(QJsonDocument::fromJson(dir.read("setting.data")).object().value("languageCN"),
             QJsonValue(true));

    ctx.changeLangeuageZhCN(false);
    QVERIFY(!ctx.language());
    QCOMPARE(footerDisconnected(), QString("Disconnected"));
    QCOMPARE(QJsonDocument::fromJson(dir.read("setting.data")).object().value("languageCN"),
             QJsonValue(false));
}

void TstLanguage::pendingOnlyDuringSwitch()
{
    TestWorkDir dir;
    AppContext ctx;
    QQmlEngine engine;
    ctx.setEngine(&engine);
    QList<bool> seen;
    connect(&ctx, &AppContext::languageChanged, this, [&] { seen << ctx.languagePending(); });
    connect(&ctx, &AppContext::settingChanged, this, [&] { seen << ctx.languagePending(); });
    QVERIFY(!ctx.languagePending());
    ctx.changeLangeuageZhCN(true);
    QVERIFY(!ctx.languagePending());
    QCOMPARE(seen, (QList<bool>{true, true}));
    ctx.changeLangeuageZhCN(false);
}

void TstLanguage::chineseTwiceThenEnglishLeavesEnglish()
{
    TestWorkDir dir;
    AppContext ctx;
    ctx.changeLangeuageZhCN(true);
    ctx.changeLangeuageZhCN(true);
    ctx.changeLangeuageZhCN(false);
    QVERIFY(!ctx.language());
    QCOMPARE(footerDisconnected(), QString("Disconnected"));
}

void TstLanguage::startWithSavedChinese()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"languageCN": true})");
    AppContext ctx;
    ctx.init();
    QVERIFY(ctx.language());
    QCOMPARE(footerDisconnected(), QString::fromUtf8("断开"));
    ctx.changeLangeuageZhCN(false);
}

void TstLanguage::englishCatalogueMendsSourceTexts_data()
{
    // The source texts stay as they are (the Chinese catalogue is keyed by them); the
    // operator reads them spelt right.
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("english");
    const struct
    {
        const char *context, *source, *english;
    } rows[] = {
        {"DragAndSelect", "Signle Display", "Single Display"},
        {"DragAndSelect", "Set VideWall", "Set Video Wall"},
        {"DragAndSelect", "Drag the output port to videwowall grid and select it then click set button",
         "Drag outputs onto the grid, select them, then click Set Video Wall"},
        {"Setting", "Comfirm to reset to factory mode? \r\nTerminal will reboot, please wait and re-connect.",
         "Reset to factory settings?\nThe device will restart; please wait, then reconnect."},
        {"Setting", "Connect Setting", "Connection Settings"},
        {"Setting", "Baudrate", "Baud Rate"},
        {"Sence", "Loop Intervel", "Loop Interval"},
        {"Header", "Videowall", "Video Wall"},
        {"Header", "Advance", "Advanced"},
        {"Footer", "Serialport", "Serial Port"},
        {"Advance", "EDID only enable write to USER1-USER5", "EDID can only be written to USER1-USER5"},
        {"Advance", "Not Select Port number", "No port selected"},
        {"Advance", "SIGNLE_1", "SINGLE_1"},
        {"Advance", "Extern Audio", "External Audio"},
        {"Advance", "quick", "Fast"},
        {"CustomSetting", "Password error, please try again", "Wrong password, please try again"},
        {"CustomSetting", "Please input password", "Please enter the password"},
        {"CustomSetting", "Ok", "OK"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.source) << r.context << r.source << r.english;
}

void TstLanguage::englishCatalogueMendsSourceTexts()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, english);
    QTranslator catalogue;
    QVERIFY(catalogue.load(QStringLiteral(":/Tessaro_en.qm")));
    QCOMPARE(catalogue.translate(context.toUtf8(), source.toUtf8()), english);
}

void TstLanguage::chineseWinsOverMendedEnglish()
{
    TestWorkDir dir;
    AppContext ctx;
    const auto single = [] { return QCoreApplication::translate("DragAndSelect", "Signle Display"); };
    QCOMPARE(single(), QString("Single Display"));
    // A text that was spelt right is left alone.
    QCOMPARE(footerDisconnected(), QString("Disconnected"));
    ctx.changeLangeuageZhCN(true);
    QCOMPARE(single(), QString::fromUtf8("单屏显示"));
    QCOMPARE(QCoreApplication::translate("Footer", "Serialport"), QString::fromUtf8("串口"));
    ctx.changeLangeuageZhCN(false);
    QCOMPARE(single(), QString("Single Display"));
}

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
