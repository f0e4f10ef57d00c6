#include "ui/widgets/first_event.h"

#include <QObject>

namespace {
class FirstEventWatch : public QObject {
public:
    FirstEventWatch(QObject& watched, QEvent::Type type, std::function<void()> action)
        : QObject(&watched), type_(type), action_(std::move(action)) {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_) {
            watched->removeEventFilter(this);
            // Queued, so that the object first handles the event itself.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    action_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type type_;
    std::function<void()> action_;
};
} // namespace

void onFirstEvent(QObject& watched, QEvent::Type type, std::function<void()> action) {
    new FirstEventWatch(watched, type, std::move(action));
}
