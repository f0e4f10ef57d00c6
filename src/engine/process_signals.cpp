#include "process_signals.h"
