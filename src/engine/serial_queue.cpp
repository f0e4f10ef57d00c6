#include "serial_queue.h"
