#pragma once

#include <QAccessible>
#include <QList>
#include <QWidget>
#include <functional>

// The window as a screen reader sees it: nodes of the accessibility tree that are showing.
// Tests find controls by their spoken names, which checks the names on the way.
inline void forEachShowing(QAccessibleInterface* node,
                           const std::function<void(QAccessibleInterface*)>& visit) {
    if (!node || node->state().invisible)
        return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        forEachShowing(node->child(i), visit);
}

inline QList<QAccessibleInterface*> showingNodes(QObject* root) {
    QList<QAccessibleInterface*> nodes;
    forEachShowing(QAccessible::queryAccessibleInterface(root),
                   [&nodes](QAccessibleInterface* node) { nodes.append(node); });
    return nodes;
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

// Names of the controls the keyboard can reach, in tree order, with "?" for an unnamed one.
inline QStringList focusableNames(QObject* root) {
    QStringList names;
    for (QAccessibleInterface* node : showingNodes(root)) {
        if (node->state().focusable) {
            const QString name = node->text(QAccessible::Name);
            names.append(name.isEmpty() ? QStringLiteral("?") : name);
        }
    }
    return names;
}
