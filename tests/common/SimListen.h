#pragma once

#include "SimServer.h"

#include <QHostAddress>
#include <QRandomGenerator>

// Puts the simulator on a port (8080 unless told; 0 for any free one) of a random
// loopback address, so that tests running in parallel never meet. False when twenty
// addresses were all taken.
inline bool listenOnRandomLoopback(SimServer &sim, quint16 port = 8080)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const quint32 host = (127u << 24) | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                             (QRandomGenerator::global()->bounded(0u, 250u) << 8) |
                             QRandomGenerator::global()->bounded(2u, 250u);
        if (sim.listenTcp(QHostAddress(host), port))
            return true;
    }
    return false;
}
