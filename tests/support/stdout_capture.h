#pragma once

#include <QString>
#include <QTemporaryFile>

// Collects what is written to standard output while it lives.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture() { restore(); }
    QString text();

private:
    void restore();
    QTemporaryFile file_;
    int savedFd_ = -1;
};
