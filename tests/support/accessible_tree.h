#pragma once

#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QMenu>
#include <QTest>
#include <QTimer>

// The window as a screen reader sees it: nodes of the accessibility tree that are showing.
// Tests find controls by their spoken names, which checks the names on the way.
inline QList<QAccessibleInterface*> showingNodes(QAccessibleInterface* node) {
    if (!node || node->state().invisible)
        return {};
    QList<QAccessibleInterface*> nodes = {node};
    for (int i = 0; i < node->childCount(); ++i)
        nodes += showingNodes(node->child(i));
    return nodes;
}

inline QList<QAccessibleInterface*> showingNodes(QObject* root) {
    return showingNodes(QAccessible::queryAccessibleInterface(root));
}

// The showing node of this name, nullptr when there is none.
inline QAccessibleInterface* accessibleNamed(QObject* root, const QString& name) {
    for (QAccessibleInterface* node : showingNodes(root)) {
        if (node->text(QAccessible::Name) == name)
            return node;
    }
    return nullptr;
}

template <typename T = QWidget> T* controlNamed(QObject* root, const QString& name) {
    QAccessibleInterface* node = accessibleNamed(root, name);
    return node ? qobject_cast<T*>(node->object()) : nullptr;
}

// Opens the menu button's menu with a click and reads it as a screen reader does, the menu's
// name and its items' with "*" after a ticked one; then clicks the item of that name, or closes
// the menu with Escape.
inline QStringList useMenu(QWidget* button, const QString& choice = {}) {
    QStringList items;
    QTimer::singleShot(0, button, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(button)->child(0);
        for (int i = 0; menu && node && i <= node->childCount(); ++i) {
            QAccessibleInterface* item = i == 0 ? node : node->child(i - 1);
            const QString name = item->text(QAccessible::Name);
            items.append(name + (item->state().checked ? "*" : ""));
            if (i > 0 && name == choice)
                QTest::mouseClick(menu, Qt::LeftButton, {},
                                  menu->mapFromGlobal(item->rect().center()));
        }
        if (menu && menu->isVisible())
            QTest::keyClick(menu, Qt::Key_Escape);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    return items;
}
