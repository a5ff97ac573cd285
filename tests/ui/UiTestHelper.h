#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QTcpServer;
class SimServer;

// What the screen tests need besides appContext and sim: the working directory's
// settings file, the serial port list, and a connection to the simulator.
class UiTestHelper : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString simAddress READ simAddress CONSTANT)
public:
    UiTestHelper(SimServer *sim, QString simAddress, QObject *parent = nullptr);

    QString simAddress() const { return _simAddress; }

    // Points the context at the simulator (network link) emulating model, and connects.
    // The caller waits for appContext.isConnected / appContext.mode.
    Q_INVOKABLE void connectToSim(const QString &model);
    // Disconnects and waits until the context reports the link down (at most 6 s).
    Q_INVOKABLE void disconnectNow();
    // The settings file in the working directory, as text ("" when missing).
    Q_INVOKABLE QString readSettingFile() const;
    Q_INVOKABLE void writeSettingFile(const QString &text) const;
    Q_INVOKABLE void removeSettingFile() const;
    // Replaces the serial port list the context scans.
    Q_INVOKABLE void setSerialPorts(const QStringList &ports) const;
    // Pretends that a font for Chinese is (1) or is not (0) installed; -1 asks the system.
    Q_INVOKABLE void setChineseFont(int available) const;
    // Sets the test case's `when` from the event loop once its window is shown.
    Q_INVOKABLE void startWhenShown(QObject *testCase);
    // Files of the working directory (a fresh temporary one): URL of a name in it,
    // existence and size (-1 when missing) of a local path.
    Q_INVOKABLE QString workFileUrl(const QString &name) const;
    Q_INVOKABLE bool fileExists(const QString &url) const;
    Q_INVOKABLE qint64 fileSize(const QString &url) const;
    // Switches an output at the simulated device, as its front panel would; reported
    // at once unless quietly is set.
    Q_INVOKABLE void routeAtDevice(int output, int input, bool quietly = false);
    // A command line applied at the simulated device without telling the panel (a change
    // made at the device itself); returns the replies it would have sent.
    Q_INVOKABLE QStringList deviceLine(const QString &line);
    // Locks an output as a remote controller would (owner "test").
    Q_INVOKABLE void lockOutput(int output, const QString &holder);
    // A loopback port held open by the helper (to see a listen refused), and a free one.
    Q_INVOKABLE int takenPort();
    Q_INVOKABLE int freePort() const;
    // Milliseconds since an arbitrary start, for timing checks.
    Q_INVOKABLE double now() const;

private:
    SimServer *_sim;
    QString _simAddress;
    QTcpServer *_taken = nullptr;
};
