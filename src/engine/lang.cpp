#include "lang.h"
