#pragma once

#include <QLoggingCategory>

// Messages of the reply parser and command adapter: "tessaro.protocol".
Q_DECLARE_LOGGING_CATEGORY(lcProtocol)
