#include "engine/i18n/console_line.h"

#include <cstdio>

void printLine(QString line) {
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    std::fputs(qUtf8Printable(line + u'\n'), stdout);
    std::fflush(stdout);
}
