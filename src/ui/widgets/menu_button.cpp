#include "ui/widgets/menu_button.h"

#include <QAccessibleWidget>
#include <QMenu>

namespace {
class MenuButtonAccessible : public QAccessibleWidget {
public:
    explicit MenuButtonAccessible(MenuButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    int childCount() const override { return menu() ? 1 : 0; }

    QAccessibleInterface* child(int index) const override {
        return index == 0 && menu() ? QAccessible::queryAccessibleInterface(menu()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && menu() && child->object() == menu() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        state.expanded = menu() != nullptr;
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    // The menu runs a loop of its own; the press must not start it inside the caller's request.
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<MenuButton*>(widget())->animateClick();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QMenu* menu() const { return static_cast<MenuButton*>(widget())->openMenu(); }
};

QAccessibleInterface* makeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("MenuButton") && object && object->isWidgetType())
        return new MenuButtonAccessible(static_cast<MenuButton*>(object));
    return nullptr;
}
} // namespace

MenuButton::MenuButton(QWidget* parent) : FlatButton(parent) {
    static const bool isFactoryInstalled = [] {
        QAccessible::installFactory(&makeAccessible);
        return true;
    }();
    Q_UNUSED(isFactoryInstalled);
}

void MenuButton::popUp(QMenu& menu, const QPoint& position) {
    openMenu_ = &menu;
    announceMenu();
    menu.exec(position);
    openMenu_ = nullptr;
    announceMenu();
}

void MenuButton::announceMenu() {
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}
