#include "process_monitor.h"
