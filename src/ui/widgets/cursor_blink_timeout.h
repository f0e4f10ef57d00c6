#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

// The text cursor blinks for a while after the user's last key press or click, then stays lit,
// as desktops have it: a window left alone then draws nothing at all. Watches the events of the
// whole application; the next key press or click makes the cursor blink again.
class CursorBlinkTimeout : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::seconds defaultTimeout{10};

    explicit CursorBlinkTimeout(std::chrono::milliseconds timeout = defaultTimeout,
                                QObject* parent = nullptr);
    ~CursorBlinkTimeout() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The desktop's own blink period; 0 when the user has turned blinking off.
    const int flashTimeMs_;
    QTimer timer_;
};
