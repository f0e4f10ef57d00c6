#pragma once

#include "engine/base/file_descriptor.h"

#include <QString>
#include <QTemporaryFile>
#include <cstdio>

// Collects what is written to standard output while it lives.
class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        file_.open();
        ::dup2(file_.handle(), STDOUT_FILENO);
    }
    ~StdoutCapture() { restore(); }

    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

private:
    // Not flushed here: a line the code under test prints must reach the file on its own, as
    // it must reach a pipe or a journal before the program ends.
    void restore() {
        if (!saved_.isValid())
            return;
        ::dup2(saved_.get(), STDOUT_FILENO);
        saved_.reset();
    }

    FileDescriptor saved_{::dup(STDOUT_FILENO)};
    QTemporaryFile file_;
};
