#include "kill_cycle.h"
