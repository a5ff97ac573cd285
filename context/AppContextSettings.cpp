// The settings object and its file.
#include "AppContext.h"

#include "ContextLog.h"
#include "SettingsStore.h"

void AppContext::chooseSettingsFile()
{
    _store = std::make_unique<SettingsStore>(SettingsStore::panelPath());
    qInfo().noquote() << "settings file:" << _store->path();
}

QString AppContext::settingsPath() const
{
    return _store->path();
}

void AppContext::loadSetting()
{
    setSetting(_store->load());
}

void AppContext::saveSetting()
{
    if (!_store->save(_setting))
        qCDebug(lcContext) << "settings: could not write" << _store->path();
}

void AppContext::saveKey(const QString &key, const QJsonValue &value)
{
    loadSetting();
    _setting.insert(key, value);
    saveSetting();
}

void AppContext::saveConnectType()
{
    saveKey(QStringLiteral("connectType"), _conntype);
}

void AppContext::saveCurrrentSerialport()
{
    saveKey(QStringLiteral("currentSerialport"), _currentSerialport);
}

void AppContext::saveCurrentSerialportBaudrate()
{
    saveKey(QStringLiteral("currentSerialportBaudrate"), _currentSerialportBaudrate);
}

void AppContext::saveCurrentIP()
{
    saveKey(QStringLiteral("currentIP"), _currentIP);
}
