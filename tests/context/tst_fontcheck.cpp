// Whether the Chinese screens can be drawn, as fontconfig sees the installed fonts: with
// the system's fonts, and with a font set that has no Chinese font in it.
#include "FontCheck.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TstFontCheck : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithFontconfig();
    void noChineseFontIsNoticed();
};

namespace {

// Families fontconfig has for Simplified Chinese in this environment.
QByteArray chineseFamilies(const QProcessEnvironment &env)
{
    QProcess list;
    list.setProcessEnvironment(env);
    list.start(QStringLiteral("fc-list"), {QStringLiteral(":lang=zh-cn"), QStringLiteral("family")});
    if (!list.waitForFinished(30000))
        return QByteArray();
    return list.readAllStandardOutput().trimmed();
}

} // namespace

void TstFontCheck::agreesWithFontconfig()
{
    if (QStandardPaths::findExecutable(QStringLiteral("fc-list")).isEmpty())
        QSKIP("fc-list is not installed");
    const bool installed = !chineseFamilies(QProcessEnvironment::systemEnvironment()).isEmpty();
    QCOMPARE(FontCheck().chineseAvailable(), installed);
}

void TstFontCheck::noChineseFontIsNoticed()
{
    if (QStandardPaths::findExecutable(QStringLiteral("fc-list")).isEmpty())
        QSKIP("fc-list is not installed");
    // Fontconfig limited to the DejaVu fonts (or to none, where they are missing).
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile conf(dir.filePath(QStringLiteral("fonts.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
               "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n  <cachedir>" +
               dir.filePath(QStringLiteral("cache")).toUtf8() + "</cachedir>\n</fontconfig>\n");
    conf.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), conf.fileName());
    QCOMPARE(chineseFamilies(env), QByteArray());

    // The same check in a process of its own (the font database is read once per process).
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QCoreApplication::applicationFilePath(), {QStringLiteral("agreesWithFontconfig")});
    QVERIFY(probe.waitForFinished(60000));
    const QByteArray output = probe.readAll();
    QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TstFontCheck::agreesWithFontconfig()"), output.constData());
}

QTEST_MAIN(TstFontCheck)
#include "tst_fontcheck.moc"
