// Kept over QThread and a worker: plain work items under std locks, all seen by ThreadSanitizer.
#include "engine/base/serial_queue.h"

#ifdef __linux__
#include <pthread.h>
#endif

SerialQueue::SerialQueue(QString name) : name_(std::move(name)), thread_([this] { run(); }) {}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SerialQueue::enqueue(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        items_.push_back(std::move(work));
    }
    wake_.notify_one();
}

void SerialQueue::run() {
#ifdef __linux__
    // The kernel keeps 15 bytes of a thread name; "Quorvane.scan" fits.
    pthread_setname_np(pthread_self(), name_.left(15).toUtf8().constData());
#endif
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !items_.empty(); });
            if (items_.empty())
                return;
            work = std::move(items_.front());
            items_.pop_front();
        }
        work();
    }
}
