#pragma once

#include "ConfigDiff.h"
#include "ConfigEngine.h"
#include "ConfigFile.h"

#include <QAbstractListModel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class AppContext;

// The rows of a restore: the differences between the device and the file, each with its
// check box and, once applied, what the device reported afterwards.
class ConfigRows : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        AreaIdRole = Qt::UserRole + 1,
        AreaRole,
        ItemRole,
        DeviceRole,
        FileRole,
        CheckedRole,
        NetworkRole,
        ResultRole,     // "", "matches", "differs", "notReadBack", "notSent"
        ResultTextRole, // for the operator
    };

    explicit ConfigRows(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void reset(const Config::Model &model, const QVector<Config::Row> &rows);
    // What became of the checked rows, in order (the engine's outcomes).
    void setOutcomes(const QVector<ConfigEngine::RowOutcome> &ofChecked);
    void setChecked(int row, bool on);
    void setAreaChecked(const QString &areaId, bool on);
    int areaState(const QString &areaId) const;
    // Texts again in the language now chosen.
    void retranslate();

    QVector<Config::Row> checkedRows() const;
    int checkedCount() const;
    int count() const { return _rows.size(); }
    int matching() const;

private:
    Config::Model _model;
    QVector<Config::Row> _rows;
    QVector<bool> _checked;
    QVector<ConfigEngine::RowOutcome> _outcomes;
};

// Back-up and restore as the Setting screen offers them ("configTool" in QML): reads the
// device with a progress line, writes or reads the file, lists the differences, applies
// the rows the operator keeps checked and shows what the device has afterwards.
class ConfigPanel : public QObject
{
    Q_OBJECT
    // "idle", "reading", "question", "review", "applying", "done".
    Q_PROPERTY(QString stage READ stage NOTIFY stageChanged)
    Q_PROPERTY(bool restoring READ restoring NOTIFY stageChanged)
    Q_PROPERTY(int progressDone READ progressDone NOTIFY progressChanged)
    Q_PROPERTY(int progressTotal READ progressTotal NOTIFY progressChanged)
    Q_PROPERTY(QString progressText READ progressText NOTIFY progressChanged)
    // The outcome or the trouble, for the operator; the question to answer in "question".
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    // Parts of the file ignored and settings the device did not report.
    Q_PROPERTY(QStringList notes READ notes NOTIFY messageChanged)
    Q_PROPERTY(ConfigRows *rows READ rows CONSTANT)
    Q_PROPERTY(int checkedCount READ checkedCount NOTIFY rowsChanged)
    Q_PROPERTY(int revision READ revision NOTIFY rowsChanged)

public:
    explicit ConfigPanel(AppContext *ctx, QObject *parent = nullptr);

    ConfigEngine *engine() { return &_engine; }
    QString stage() const { return _stage; }
    bool restoring() const { return _restoring; }
    int progressDone() const { return _done; }
    int progressTotal() const { return _total; }
    QString progressText() const { return _progressText; }
    QString message() const { return _message; }
    QStringList notes() const { return _notes; }
    ConfigRows *rows() { return &_rows; }
    int checkedCount() const { return _rows.checkedCount(); }
    int revision() const { return _revision; }

    // Reads the device and writes its configuration to the file (path or file: URL).
    Q_INVOKABLE void backup(const QString &file);
    // Reads the file, then the device, and lists the differences.
    Q_INVOKABLE void restore(const QString &file);
    // The file is for another model with the same counts: go on all the same.
    Q_INVOKABLE void acceptOtherModel();
    Q_INVOKABLE void setChecked(int row, bool on);
    Q_INVOKABLE void setAreaChecked(const QString &areaId, bool on);
    // 0 no row of the area checked, 1 some, 2 all.
    Q_INVOKABLE int areaState(const QString &areaId) const;
    Q_INVOKABLE QString areaLabel(const QString &areaId) const;
    // Sends the checked rows.
    Q_INVOKABLE void apply();
    // Stops a reading or applying under way; otherwise closes.
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void close();
    // A file name for a back-up of the connected device.
    Q_INVOKABLE QString suggestedName() const;

signals:
    void stageChanged();
    void progressChanged();
    void messageChanged();
    void rowsChanged();

private:
    void setStage(const QString &stage);
    void setMessage(const QString &message);
    void readForRestore();
    void onFinished(bool completed, const QString &problem);
    void bump();

    AppContext *_ctx;
    ConfigEngine _engine;
    ConfigRows _rows;
    QString _stage = QStringLiteral("idle");
    bool _restoring = false;
    QString _file;
    Config::Parsed _parsed;
    QMap<QString, QJsonValue> _fileValues;
    Config::Model _reviewed; // the device the differences were read from
    int _done = 0;
    int _total = 0;
    QString _progressText;
    QString _message;
    QStringList _notes;
    int _revision = 0;
};
