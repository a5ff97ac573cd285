#pragma once

#include "ClientIO.h"

#include <QSignalSpy>

// The three notifications of a link, recorded.
struct LinkSpies
{
    explicit LinkSpies(ClientIO &link)
        : connected(&link, &ClientIO::onConnected), disconnected(&link, &ClientIO::onDisconnected),
          readReady(&link, &ClientIO::onReadReady)
    {
    }
    QSignalSpy connected;
    QSignalSpy disconnected;
    QSignalSpy readReady;
};
