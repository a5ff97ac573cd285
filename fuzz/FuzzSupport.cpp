#include "FuzzSupport.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <QVariant>

namespace {

void discard(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg) {
        fprintf(stderr, "%s\n", qPrintable(text));
        abort();
    }
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

void FuzzSupport::init(bool inScratchDir)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    if (inScratchDir)
        QDir::setCurrent(scratch().path());
    // Debug messages stay enabled so that their formatting is exercised too.
    qInstallMessageHandler(discard);
}

QString FuzzSupport::scratchFile(const QString &name)
{
    return scratch().filePath(name);
}

bool FuzzSupport::propertiesHoldTheirTypes(const QObject &object)
{
    const QMetaObject *meta = object.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QVariant value = property.read(&object);
        if (!value.isValid() || value.userType() != property.userType()) {
            fprintf(stderr, "property %s holds %s\n", property.name(), value.typeName());
            return false;
        }
    }
    return true;
}

void FuzzSupport::flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(); // language changes and the like
    // A single-shot timer lives until it fires, and without an event loop it never does
    // (the context starts one when a link comes up): drop them with the run.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
        const QObjectList children = dispatcher->children();
        for (QObject *child : children)
            if (child->inherits("QSingleShotTimer"))
                delete child;
    }
}
