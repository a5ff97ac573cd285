#pragma once

#include <QString>

// A device's network address as the operator types it: a host with an optional port,
// "192.168.1.50", "192.168.1.50:9000", "[fe80::1]:8080" or "::1". The text is kept as
// typed (the settings file stores it so); this is what the link connects to.
struct DeviceAddress
{
    static constexpr quint16 kDefaultPort = 8080;

    QString host; // without brackets: "192.168.1.50", "::1", "switcher.local"
    quint16 port = kDefaultPort;
    bool valid = false;

    // Reads typed text. Digits and dots must make a complete dotted quad ("192.168.1."
    // and "10.0.300.1" are refused, never sent to the name resolver); a host name is
    // taken as it is. A port, when given, is 1-65535 in decimal.
    static DeviceAddress parse(const QString &text);

    // "host:port" ("[host]:port" for IPv6), the port always written out; the typed text
    // when it is no address.
    static QString display(const QString &text);

    // True for text that can only be a numeric address and is not a complete one.
    static bool isBadNumericHost(const QString &host);
};
