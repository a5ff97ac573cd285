#pragma once

#include <QLoggingCategory>

// Messages of the application context (connection lifecycle, settings, operations): "tessaro.context".
Q_DECLARE_LOGGING_CATEGORY(lcContext)
