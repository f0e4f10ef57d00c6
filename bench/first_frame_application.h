#pragma once

// An application object that prints, once its first frame is drawn, the processor time used so
// far (all threads, in ms) as "painted <ms>", and then quits. The frame counts as drawn when the
// outermost event that painted widgets has been handled: by then every widget of the window has
// painted and the backing store has been flushed to the display.
#include <QApplication>
#include <cstdio>
#include <ctime>

class FirstFrameApplication : public QApplication {
public:
    FirstFrameApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        const bool isOutermost = depth_++ == 0;
        if (event->type() == QEvent::Paint)
            hasPainted_ = true;
        const bool handled = QApplication::notify(receiver, event);
        --depth_;
        if (isOutermost && hasPainted_ && !hasReported_) {
            hasReported_ = true;
            timespec cpu{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::printf("painted %f\n", double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6);
            std::fflush(stdout);
            QMetaObject::invokeMethod(this, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return handled;
    }

private:
    int depth_ = 0;
    bool hasPainted_ = false;
    bool hasReported_ = false;
};
