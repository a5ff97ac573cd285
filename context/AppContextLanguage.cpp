// Switching the interface between English and Simplified Chinese at run time.
#include "AppContext.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QTranslator>

void AppContext::changeLangeuageZhCN(bool val)
{
    _languagePending = true;
    // Removing first keeps the translator installed at most once, however often
    // Chinese is chosen.
    QCoreApplication::removeTranslator(lan_zh);
    if (val)
        QCoreApplication::installTranslator(lan_zh);
    saveKey(QStringLiteral("languageCN"), val);
    if (engine)
        engine->retranslate();
    setlanguage(val);
    _languagePending = false;
}
