#pragma once

#include "engine/monitor/notice.h"

#include <QString>

// What the notice line says of a notice, in the chosen language.
QString noticeText(const Notice& notice);
