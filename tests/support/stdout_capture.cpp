#include "stdout_capture.h"

#include <cstdio>
#include <unistd.h>

StdoutCapture::StdoutCapture() {
    std::fflush(stdout);
    savedFd_ = ::dup(STDOUT_FILENO);
    file_.open();
    ::dup2(file_.handle(), STDOUT_FILENO);
}

QString StdoutCapture::text() {
    restore();
    file_.seek(0);
    return QString::fromUtf8(file_.readAll());
}

void StdoutCapture::restore() {
    if (savedFd_ < 0)
        return;
    std::fflush(stdout);
    ::dup2(savedFd_, STDOUT_FILENO);
    ::close(savedFd_);
    savedFd_ = -1;
}
