#pragma once

#include "AppContext.h"

#include <QString>

// The device as controllers outside the screens describe it: present (the link is up and
// the device named its model), with its channel counts; absent, everything empty.
struct DevicePresence
{
    bool present = false;
    int inputs = 0;
    int outputs = 0;
    QString model;

    static DevicePresence of(const AppContext &ctx)
    {
        if (!ctx.isConnected() || !ctx.deviceIdentified())
            return {};
        return {true, ctx.inChannels(), ctx.outChannels(), ctx.mode()};
    }
    bool operator==(const DevicePresence &o) const
    {
        return present == o.present && inputs == o.inputs && outputs == o.outputs && model == o.model;
    }
    bool operator!=(const DevicePresence &o) const { return !(*this == o); }
};
