#include "divideraccessible.h"

#include "menu.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>

DividerAccessible::DividerAccessible(QAction *action)
    : QAccessibleObject(action)
{
}

bool DividerAccessible::isDivider(const QAction *action)
{
    return Menu::isDivider(action->data().toInt());
}

QAccessibleInterface *DividerAccessible::create(const QString &, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    return action && isDivider(action) ? new DividerAccessible(action) : nullptr;
}

QAction *DividerAccessible::action() const
{
    return static_cast<QAction *>(object());
}

QWidget *DividerAccessible::bar() const
{
    const QList<QObject *> owners = action()->associatedObjects();
    const auto bar = std::find_if(owners.begin(), owners.end(), [](QObject *o) { return qobject_cast<QMenuBar *>(o); });
    return bar == owners.end() ? nullptr : static_cast<QWidget *>(*bar);
}

QAccessibleInterface *DividerAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(bar());
}

QAccessible::State DividerAccessible::state() const
{
    QAccessible::State state;
    state.invisible = !bar() || !bar()->isVisible();
    return state;
}

QRect DividerAccessible::rect() const
{
    auto *menuBar = static_cast<QMenuBar *>(bar());
    if (!menuBar)
        return QRect();
    const QRect place = menuBar->actionGeometry(action());
    return place.translated(menuBar->mapToGlobal(QPoint(0, 0)));
}
