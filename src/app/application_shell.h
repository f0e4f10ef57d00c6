#pragma once

#include "app/desktop_notifier.h"
#include "engine/monitor/process_monitor.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>

class AboutWindow;
class CursorBlinkTimeout;
class KillHistoryWindow;
class KillNotifications;
class MainView;
class QMainWindow;
class WindowFit;

// The application shell: the dark look, the main menu, the one main window around the main
// view, and the About window.
class ApplicationShell : public QObject {
    Q_OBJECT
public:
    // What the shell needs from the outside world; tests replace both.
    struct Environment {
        std::function<MonitorServices()> monitorServices = [] { return MonitorServices::system(); };
        std::function<bool(const QUrl&)> openUrl;
        // None: no notifications.
        std::shared_ptr<DesktopNotifier> notifier;

        static Environment system();
    };

    explicit ApplicationShell(Environment environment = Environment::system(),
                              QObject* parent = nullptr);
    ~ApplicationShell() override;

    // The start-up sequence: look, menu, window.
    void start();

    // A later start of the program hands over to this one: the main window comes back to the
    // front, restored if minimised, with the activation token that start was launched with.
    void showMainWindow(const QString& activationToken = {});
    // The session is ending: the log is written now, before anything can end the program.
    void commitData();
    // Opens the kill history, or brings it to the front. Closing it frees all it holds.
    void showKillHistory(const QString& activationToken = {});
    // The monitor of the window's current controller; there is one from launch on.
    ProcessMonitor* monitor() const;

private:
    void showAbout();
    // Puts a new controller, with a new monitor, in place of the window's current one.
    void replaceMainView();
    MainView* mainView() const;
    void openWebsite(const QUrl& url);
    void installMainView();
    // The history follows the entries of the window's current monitor.
    void followMonitor();

    Environment environment_;
    std::unique_ptr<QMainWindow> window_;
    WindowFit* windowFit_ = nullptr;
    std::unique_ptr<AboutWindow> aboutWindow_;
    QPointer<KillHistoryWindow> killHistoryWindow_;
    std::unique_ptr<CursorBlinkTimeout> cursorBlinkTimeout_;
    KillNotifications* killNotifications_ = nullptr;
};
