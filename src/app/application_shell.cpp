#include "app/application_shell.h"

#include "app/about_window.h"
#include "app/app_icon.h"
#include "app/app_style.h"
#include "app/dark_palette.h"
#include "app/desktop_session_roles.h"
#include "app/freedesktop_notifier.h"
#include "app/kill_notifications.h"
#include "app/main_menu.h"
#include "app/window_activation.h"
#include "app/window_fit.h"
#include "app/window_placement.h"
#include "engine/process/self_memory.h"
#include "ui/kill_history_window.h"
#include "ui/main_view.h"
#include "ui/widgets/cursor_blink_timeout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

namespace {
void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.move(placedTopLeft(window.frameGeometry().size(), screen->availableGeometry()));
}
} // namespace

ApplicationShell::Environment ApplicationShell::Environment::system() {
    Environment environment;
    // One for the program: every monitor the window gets leaves the same processes alone.
    environment.monitorServices = [roles = std::make_shared<DesktopSessionRoles>()] {
        return MonitorServices::system(roles);
    };
    environment.openUrl = &QDesktopServices::openUrl;
    environment.notifier = std::make_shared<FreedesktopNotifier>(QDBusConnection::sessionBus());
    return environment;
}

ApplicationShell::ApplicationShell(Environment environment, QObject* parent)
    : QObject(parent), environment_(std::move(environment)) {
    if (environment_.notifier) {
        killNotifications_ = new KillNotifications(environment_.notifier, this);
        connect(killNotifications_, &KillNotifications::historyRequested, this,
                &ApplicationShell::showKillHistory);
    }
}

ApplicationShell::~ApplicationShell() {
    delete killHistoryWindow_;
}

void ApplicationShell::start() {
    QApplication::setStyle(new AppStyle);
    QApplication::setPalette(darkPalette());
    QApplication::setQuitOnLastWindowClosed(true);
    cursorBlinkTimeout_ = std::make_unique<CursorBlinkTimeout>();

    window_ = std::make_unique<QMainWindow>();
    window_->setWindowTitle(QStringLiteral("Zentrav"));
    // Titled, closable and minimisable; the size is fixed, so there is nothing to maximise.
    window_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                            Qt::CustomizeWindowHint);
    window_->setMenuBar(buildMainMenu(
        window_.get(), [this] { showAbout(); }, [this] { showKillHistory(); }));
    // The controller is 520 x 560 where the screen holds it; the window keeps exactly that around
    // it, plus the menu bar where the desktop has no global one. Equal smallest and largest
    // sizes also tell the desktop that there is nothing to maximise.
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    windowFit_ = new WindowFit(*window_, MainView::rootHeight);
    installMainView();
    mainView()->startMonitoringIfChosen();
    window_->adjustSize();
    centreOnScreen(*window_);
    window_->show();
    window_->raise();
    window_->activateWindow();
    setAppIconAfterFirstFrame(*window_);
}

MainView* ApplicationShell::mainView() const {
    return window_ ? qobject_cast<MainView*>(window_->centralWidget()) : nullptr;
}

ProcessMonitor* ApplicationShell::monitor() const {
    MainView* controller = mainView();
    return controller ? &controller->monitor() : nullptr;
}

void ApplicationShell::showAbout() {
    if (!aboutWindow_) {
        aboutWindow_ = std::make_unique<AboutWindow>();
        connect(aboutWindow_.get(), &AboutWindow::websiteRequested, this,
                &ApplicationShell::openWebsite);
        centreOnScreen(*aboutWindow_);
    }
    aboutWindow_->show();
    aboutWindow_->raise();
    aboutWindow_->activateWindow();
}

void ApplicationShell::showKillHistory(const QString& activationToken) {
    const MainView* controller = mainView();
    if (!killHistoryWindow_ && controller) {
        const ProcessMonitor& monitor = controller->monitor();
        killHistoryWindow_ = new KillHistoryWindow(monitor.files(), monitor.logsDir());
        killHistoryWindow_->setAttribute(Qt::WA_DeleteOnClose);
        // A year of entries is tens of megabytes; the allocator gives them back to the system
        // once the window's models, deleted after it announces its end, are gone too.
        connect(
            killHistoryWindow_, &QObject::destroyed, this,
            [] { SystemSelfMemory().releaseFreeMemory(); }, Qt::QueuedConnection);
        // The entries of the pane may not be in a day file yet.
        killHistoryWindow_->follow(monitor.killLog());
        followMonitor();
        centreOnScreen(*killHistoryWindow_);
    }
    if (killHistoryWindow_)
        bringToFront(*killHistoryWindow_, activationToken);
}

void ApplicationShell::followMonitor() {
    if (MainView* controller = mainView(); controller && killHistoryWindow_)
        connect(&controller->monitor(), &ProcessMonitor::logEntriesRecorded, killHistoryWindow_,
                &KillHistoryWindow::follow);
}

void ApplicationShell::showMainWindow(const QString& activationToken) {
    if (window_)
        bringToFront(*window_, activationToken);
}

void ApplicationShell::commitData() {
    if (MainView* controller = mainView())
        controller->monitor().flushLog();
}

void ApplicationShell::openWebsite(const QUrl& url) {
    if (url.isValid() && environment_.openUrl)
        environment_.openUrl(url);
}

void ApplicationShell::replaceMainView() {
    if (!window_)
        return;
    // QMainWindow hides the old controller and deletes it once the event loop is back, so this
    // may be called from one of its own actions.
    installMainView();
}

void ApplicationShell::installMainView() {
    auto* controller = new MainView(environment_.monitorServices());
    // Queued: the language is chosen inside the old controller's menu, which must close first.
    connect(controller, &MainView::languageChanged, this, &ApplicationShell::replaceMainView,
            Qt::QueuedConnection);
    connect(controller, &MainView::killHistoryRequested, this, [this] { showKillHistory(); });
    window_->setCentralWidget(controller);
    windowFit_->apply();
    followMonitor();
    if (killNotifications_)
        killNotifications_->follow(controller->monitor());
}
