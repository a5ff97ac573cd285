#include "ProtocolLog.h"

Q_LOGGING_CATEGORY(lcProtocol, "tessaro.protocol")
