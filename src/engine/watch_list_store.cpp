#include "watch_list_store.h"
