#include "RecordingClientIO.h"

bool RecordingClientIO::open()
{
    bringUp();
    return true;
}

bool RecordingClientIO::close()
{
    if (_open)
        bringDown();
    return true;
}

int RecordingClientIO::write(QByteArray data)
{
    if (!_open)
        return 0;
    writes.append(data);
    return data.size();
}

QByteArray RecordingClientIO::read()
{
    QByteArray out;
    out.swap(_pending);
    return out;
}

void RecordingClientIO::feed(const QByteArray &bytes)
{
    _pending.append(bytes);
    emit onReadReady();
}

void RecordingClientIO::bringUp()
{
    _open = true;
    emit onConnected();
}

void RecordingClientIO::bringDown()
{
    _open = false;
    emit onDisconnected();
}
