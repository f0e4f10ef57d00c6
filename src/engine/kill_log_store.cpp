#include "kill_log_store.h"
