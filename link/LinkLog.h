#pragma once

#include <QLoggingCategory>

// Messages of the device link (serial port and TCP): "tessaro.link".
Q_DECLARE_LOGGING_CATEGORY(lcLink)
