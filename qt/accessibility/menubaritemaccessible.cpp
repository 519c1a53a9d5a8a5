#include "menubaritemaccessible.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>

MenuBarItemAccessible::MenuBarItemAccessible(QAction *action)
    : QAccessibleObject(action)
{
}

QAction *MenuBarItemAccessible::action() const
{
    return static_cast<QAction *>(object());
}

QMenuBar *MenuBarItemAccessible::bar() const
{
    const QList<QObject *> owners = action()->associatedObjects();
    const auto bar = std::find_if(owners.begin(), owners.end(), [](QObject *o) { return qobject_cast<QMenuBar *>(o); });
    return bar == owners.end() ? nullptr : static_cast<QMenuBar *>(*bar);
}

int MenuBarItemAccessible::id() const
{
    return action()->data().toInt();
}

QAccessibleInterface *MenuBarItemAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(bar());
}

QRect MenuBarItemAccessible::rect() const
{
    QMenuBar *menuBar = bar();
    return menuBar ? menuBar->actionGeometry(action()).translated(menuBar->mapToGlobal(QPoint(0, 0))) : QRect();
}
