// Switching the interface language at run time and remembering the choice.
#include "AppContext.h"
#include "TestWorkDir.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QtTest>

class TstLanguage : public QObject
{
    Q_OBJECT
private slots:
    void switchWritesKeyAndTranslates();
    void pendingOnlyDuringSwitch();
    void chineseTwiceThenEnglishLeavesEnglish();
    void startWithSavedChinese();
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

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
