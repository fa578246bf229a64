#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

// A window as a screen reader finds it, read through Qt's accessible
// interfaces without the accessibility bus.
namespace AccessibleTree {

inline QAccessibleInterface *Of(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

inline QString Name(QObject *object)
{
    return Of(object)->text(QAccessible::Name);
}

inline bool Shown(QAccessibleInterface *node)
{
    return !node->state().invisible;
}

// A screen reader passes over a label without a name (its text is its
// name, so it shows nothing) and a container, named or not, that holds
// something on show; also over Qt's own viewport and corner inside a
// scrolled text or table.
inline bool NeedsName(QAccessibleInterface *node)
{
    const QAccessible::Role role = node->role();
    if (role == QAccessible::StaticText)
        return false;
    const bool container = role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Border
        || role == QAccessible::Grouping || role == QAccessible::Dialog || role == QAccessible::Window;
    if (!container)
        return true;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i); child && Shown(child))
            return false;
    }
    const QAccessible::Role parent = node->parent() ? node->parent()->role() : QAccessible::NoRole;
    return parent != QAccessible::EditableText && parent != QAccessible::Table;
}

// Every control on show below root without a name, as "role objectName",
// for a failure message; the rows of a list are not entered.
inline QStringList UnnamedControls(QAccessibleInterface *root)
{
    QStringList unnamed;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child || !Shown(child))
            continue;
        if (child->text(QAccessible::Name).isEmpty() && NeedsName(child)) {
            const QObject *object = child->object();
            unnamed << QStringLiteral("%1 %2").arg(child->role()).arg(object ? object->objectName() : QString());
        }
        if (child->role() != QAccessible::List)
            unnamed << UnnamedControls(child);
    }
    return unnamed;
}

// Presses through the press action, as a screen reader does.
inline bool Press(QObject *object)
{
    QAccessibleActionInterface *actions = Of(object)->actionInterface();
    if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return false;
    actions->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

}  // namespace AccessibleTree
