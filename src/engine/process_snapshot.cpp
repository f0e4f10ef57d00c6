#include "process_snapshot.h"
