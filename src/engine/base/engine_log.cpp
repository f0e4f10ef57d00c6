#include "engine/base/engine_log.h"

Q_LOGGING_CATEGORY(engineLog, "zentrav.engine")
