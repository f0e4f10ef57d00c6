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

// Opens the menu button's menu with a click and chooses its item of that name.
inline void chooseFromMenu(QWidget* button, const QString& choice) {
    QTimer::singleShot(0, button, [&choice] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->close();
        for (QAction* item : menu->actions()) {
            if (item->text() == choice)
                item->trigger();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
}
