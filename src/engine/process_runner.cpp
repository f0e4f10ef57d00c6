#include "process_runner.h"
