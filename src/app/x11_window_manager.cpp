#include "app/x11_window_manager.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

X11WindowManager* X11WindowManager::onThisDisplay(QObject* parent) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return new X11WindowManager(x11->connection(), parent);
}

X11WindowManager::X11WindowManager(xcb_connection_t* connection, QObject* parent)
    : QObject(parent), connection_(connection),
      root_(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root),
      checkAtom_(atom("_NET_SUPPORTING_WM_CHECK")), pidAtom_(atom("_NET_WM_PID")) {
    // Property changes of the root window reach this client too, whatever else it asked for.
    const auto attributes = xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, root_), nullptr);
    const uint32_t mask =
        (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    std::free(attributes);
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    QCoreApplication::instance()->installNativeEventFilter(this);
    readProcessId();
}

X11WindowManager::~X11WindowManager() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

uint32_t X11WindowManager::atom(const char* name) const {
    auto* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 1, uint16_t(strlen(name)), name), nullptr);
    const uint32_t value = reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

uint32_t X11WindowManager::cardinal(uint32_t window, uint32_t property) const {
    if (window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return 0;
    auto* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1),
        nullptr);
    uint32_t value = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        value = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

// A check window that does not name itself is a leftover of a window manager that has gone.
void X11WindowManager::readProcessId() {
    const uint32_t check = cardinal(root_, checkAtom_);
    const bool isCurrent = check != 0 && cardinal(check, checkAtom_) == check;
    const qint32 pid = isCurrent ? qint32(cardinal(check, pidAtom_)) : 0;
    if (pid == processId_)
        return;
    processId_ = pid;
    Q_EMIT processIdChanged(processId_);
}

bool X11WindowManager::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (notify->window == root_ && notify->atom == checkAtom_)
        readProcessId();
    return false;
}
