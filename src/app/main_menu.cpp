#include "app/main_menu.h"

#include "ui/localized_text.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction* addItem(QMenu& menu, const char* key, const QKeySequence& shortcut,
                 const std::function<void()>& action) {
    QAction* item = menu.addAction(localizedText(key));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(item, &QAction::triggered, &menu, action);
    return item;
}

// The edit commands go to the text field being edited, as the first responder would.
std::function<void()> onFocusedField(void (*command)(QLineEdit&)) {
    return [command] {
        if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            command(*field);
    };
}

bool isShownWindow(const QWidget* widget) {
    return widget->isVisible() &&
           (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
}

// Linux has no hiding of a whole program; minimising its windows comes closest. "Hide Others"
// and "Show All" have nothing to act on here and are left out.
void hideApplication() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (isShownWindow(widget))
            widget->showMinimized();
    }
}
} // namespace

QMenuBar* buildMainMenu(QWidget* parent, const std::function<void()>& showAbout,
                        const std::function<void()>& showKillHistory) {
    auto* bar = new QMenuBar(parent);
    bar->setAccessibleName(localizedText("a11y_menu_bar"));

    // Only macOS fills in the program's name as the title of this menu.
    QMenu* application = bar->addMenu(QStringLiteral("Zentrav"));
    addItem(*application, "menu_about", {}, showAbout)->setMenuRole(QAction::AboutRole);
    application->addSeparator();
    addItem(*application, "menu_hide", QKeySequence(Qt::CTRL | Qt::Key_H), hideApplication);
    application->addSeparator();
    addItem(*application, "menu_quit", QKeySequence(Qt::CTRL | Qt::Key_Q), &QApplication::quit)
        ->setMenuRole(QAction::QuitRole);

    QMenu* edit = bar->addMenu(localizedText("menu_edit"));
    addItem(*edit, "menu_cut", QKeySequence(Qt::CTRL | Qt::Key_X),
            onFocusedField([](QLineEdit& field) { field.cut(); }));
    addItem(*edit, "menu_copy", QKeySequence(Qt::CTRL | Qt::Key_C),
            onFocusedField([](QLineEdit& field) { field.copy(); }));
    addItem(*edit, "menu_paste", QKeySequence(Qt::CTRL | Qt::Key_V),
            onFocusedField([](QLineEdit& field) { field.paste(); }));
    addItem(*edit, "menu_select_all", QKeySequence(Qt::CTRL | Qt::Key_A),
            onFocusedField([](QLineEdit& field) { field.selectAll(); }));

    QMenu* window = bar->addMenu(localizedText("menu_window"));
    addItem(*window, "menu_minimize", QKeySequence(Qt::CTRL | Qt::Key_M), [] {
        if (QWidget* active = QApplication::activeWindow())
            active->showMinimized();
    });
    addItem(*window, "menu_close", QKeySequence(Qt::CTRL | Qt::Key_W), [] {
        if (QWidget* active = QApplication::activeWindow())
            active->close();
    });
    window->addSeparator();
    addItem(*window, "menu_kill_history", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
            showKillHistory);
    return bar;
}
