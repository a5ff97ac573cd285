#include "ContextLog.h"

Q_LOGGING_CATEGORY(lcContext, "tessaro.context")
