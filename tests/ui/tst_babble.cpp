// A faulty device that sends reports naming far more outputs than it has: the window
// keeps drawing frames while the report arrives, and only the existing outputs change.
#include "AppContext.h"
#include "QmlTypes.h"
#include "RecordingClientIO.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>
#include <QtTest>

#include <ctime>

namespace {

constexpr int kOutputs = 36; // the model below
constexpr int kEntries = 100000;
constexpr int kChunk = 4096; // what a TCP link hands over at a time
constexpr double kFrameBudgetMs = 100.0;

QStringList g_messages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

// CPU time of the GUI thread, which also draws (software renderer): the figure a loaded
// machine cannot inflate by giving the process less time.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

bool waitForFrame(QQuickView &view)
{
    QEventLoop loop;
    bool swapped = false;
    const auto c = QObject::connect(&view, &QQuickWindow::frameSwapped, &loop, [&] {
        swapped = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    view.update();
    loop.exec();
    QObject::disconnect(c);
    return swapped;
}

QByteArray report(const char *keyword, const QByteArray &field, int count)
{
    QByteArray line(keyword);
    line.reserve(line.size() + count * (field.size() + 1) + 2);
    for (int i = 0; i < count; ++i)
        line += ' ' + field;
    return line + "\r\n";
}

// Warnings the screen would print while a report is applied.
QStringList qmlWarnings()
{
    QStringList found;
    for (const QString &m : qAsConst(g_messages))
        if (m.contains(QLatin1String("TypeError")) || m.contains(QLatin1String("Binding loop")) ||
            m.contains(QLatin1String("Unable to assign")))
            found << m;
    return found;
}

} // namespace

class TstBabble : public QObject
{
    Q_OBJECT

    AppContext *ctx = nullptr;
    RecordingClientIO *link = nullptr;
    QQuickView *view = nullptr;

    // Feeds the bytes a chunk at a time, each chunk followed by the frame that shows it;
    // returns the largest time one chunk and its frame took.
    double feedInChunks(const QByteArray &bytes)
    {
        double worst = 0;
        for (int at = 0; at < bytes.size(); at += kChunk) {
            const double start = threadCpuMs();
            link->feed(bytes.mid(at, kChunk));
            if (!waitForFrame(*view))
                qWarning("no frame after a chunk");
            worst = qMax(worst, threadCpuMs() - start);
        }
        return worst;
    }

private slots:
    void initTestCase()
    {
        registerTessaroQmlTypes();
        ctx = new AppContext;
        link = new RecordingClientIO;
        ctx->attachLink(link);
        link->feed("DV-52\r\n");
        QCOMPARE(ctx->outChannels(), kOutputs);
        view = new QQuickView;
        view->rootContext()->setContextProperty(QStringLiteral("appContext"), ctx);
        view->setSource(QUrl(QStringLiteral("qrc:/TSwitch.qml")));
        QCOMPARE(view->status(), QQuickView::Ready);
        view->resize(1024, 648);
        view->show();
        view->rootObject()->setProperty("isActive", true);
        QVERIFY(waitForFrame(*view));
    }

    void cleanupTestCase()
    {
        delete view;
        delete ctx;
    }

    void routingReportIsCutToTheModelsOutputs()
    {
        link->feed(report("SWS", "1", kOutputs));
        QVERIFY(waitForFrame(*view));
        g_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
        const double worst = feedInChunks(report("SWS", "7", kEntries));
        qInstallMessageHandler(previous);
        qInfo("slowest chunk and frame: %.1f ms CPU", worst);
        QVERIFY2(worst < kFrameBudgetMs, qPrintable(QString::number(worst)));

        // Every existing output now shows input 7, and nothing beyond them exists.
        QStringList outputs;
        for (int k = 1; k <= kOutputs; ++k)
            outputs << QString::number(k);
        const QJsonArray expected{QJsonObject{{"in", "07"}, {"out", QJsonArray::fromStringList(outputs)}}};
        QCOMPARE(ctx->sws(), expected);
        QCOMPARE(g_messages.filter(QStringLiteral("ignored")).size(), 1);
        QCOMPARE(qmlWarnings(), QStringList());
        QVERIFY(g_messages.filter(QStringLiteral("ignored")).first().contains(QString::number(kEntries)));
    }

    void outputStateReportIsCutToTheModelsOutputs()
    {
        g_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
        const double worst = feedInChunks(report("OutPutST", "0", kEntries));
        qInstallMessageHandler(previous);
        QCOMPARE(qmlWarnings(), QStringList());
        qInfo("slowest chunk and frame: %.1f ms CPU", worst);
        QVERIFY2(worst < kFrameBudgetMs, qPrintable(QString::number(worst)));
        const QJsonArray states = ctx->outputST();
        QCOMPARE(states.size(), kOutputs);
        QCOMPARE(states.last().toObject().value("index").toInt(), kOutputs);
        QCOMPARE(states.last().toObject().value("isOpen").toBool(), false);
    }

    void shorterReportsAreAppliedWhole()
    {
        // A report naming fewer outputs than the model has is not padded or cut.
        link->feed("SWS 2 3\r\nOutPutST 1 0 1\r\n");
        QCOMPARE(ctx->sws().size(), 2);
        QCOMPARE(ctx->outputST().size(), 3);
    }
};

QTEST_MAIN(TstBabble)
#include "tst_babble.moc"
