#include "self_memory.h"
