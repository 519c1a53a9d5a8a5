#include "divideraccessible.h"

#include "menu.h"

#include <QAction>
#include <QMenuBar>

bool DividerAccessible::isDivider(const QAction *action)
{
    return Menu::isDivider(action->data().toInt());
}

QAccessibleInterface *DividerAccessible::create(const QString &, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    return action && isDivider(action) ? new DividerAccessible(action) : nullptr;
}

QAccessible::State DividerAccessible::state() const
{
    QAccessible::State state;
    state.invisible = !bar() || !bar()->isVisible();
    return state;
}
