#include "record_json.h"
