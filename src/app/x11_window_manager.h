#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

struct xcb_connection_t;

// The window manager of the X display the program runs on: the process that its
// _NET_SUPPORTING_WM_CHECK window names by _NET_WM_PID. Read again whenever the root window's
// check property changes, as when a window manager replaces another. Main thread only.
class X11WindowManager final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Null when the program does not run on X11.
    static X11WindowManager* onThisDisplay(QObject* parent);

    qint32 processId() const { return processId_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override;

Q_SIGNALS:
    void processIdChanged(qint32 processId);

private:
    X11WindowManager(xcb_connection_t* connection, QObject* parent);
    ~X11WindowManager() override;

    uint32_t atom(const char* name) const;
    // The first 32-bit value of a window's property, whatever type it was given, or 0.
    uint32_t cardinal(uint32_t window, uint32_t property) const;
    void readProcessId();

    xcb_connection_t* connection_;
    uint32_t root_ = 0;
    uint32_t checkAtom_ = 0;
    uint32_t pidAtom_ = 0;
    qint32 processId_ = 0;
};
