#include "memory_format.h"
