// Switching the interface language at run time and remembering the choice.
#include "AppContext.h"
#include "TestWorkDir.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

class TstLanguage : public QObject
{
    Q_OBJECT
private slots:
    void switchWritesKeyAndTranslates();
    void pendingOnlyDuringSwitch();
    void chineseTwiceThenEnglishLeavesEnglish();
    void startWithSavedChinese();
    void englishShowsNoMisspelling();
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

void TstLanguage::englishShowsNoMisspelling()
{
    // Every source text with its context, as the Chinese catalogue lists them; the source
    // texts stay as they are (that catalogue is keyed by them), the operator reads them
    // through the English one.
    QFile file(QStringLiteral(TESSARO_ZH_TS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/Tessaro_en.qm")));
    const QStringList misspelt = {
        "Signle",     "SIGNLE",       "VideWall", "videwowall",     "Videowall",     "Comfirm", "Intervel",
        "Extern ",    "Serialport",   "Baudrate", "BackColor",      "AudioSelect",   "OutPort", "Outport",
        "Not Select", "enable write", "out1",     "Password error", "input password"};
    const QStringList poor = {"Ok", "Advance", "Connect Setting", "quick", "middle", "slow"};
    QXmlStreamReader xml(&file);
    QString context;
    int texts = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            const QString source = xml.readElementText();
            QString shown = english.translate(context.toUtf8(), source.toUtf8());
            if (shown.isEmpty())
                shown = source;
            for (const QString &word : misspelt)
                QVERIFY2(!shown.contains(word), qPrintable(context + ": " + shown));
            QVERIFY2(!poor.contains(shown), qPrintable(context + ": " + shown));
            ++texts;
        }
    }
    QVERIFY(!xml.hasError());
    QVERIFY(texts > 250);
    QCOMPARE(english.translate("DragAndSelect", "Signle Display"), QString("Single Display"));
    QCOMPARE(english.translate("Setting", "Comfirm to reset to factory mode? \r\nTerminal will reboot, "
                                          "please wait and re-connect."),
             QString("Reset to factory settings?\nThe device will restart; please wait, then reconnect."));
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
