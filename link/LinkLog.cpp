#include "LinkLog.h"

Q_LOGGING_CATEGORY(lcLink, "tessaro.link")
