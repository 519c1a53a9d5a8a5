#include "nameditemaccessible.h"

#include "menu.h"

#include <QAction>
#include <QMenuBar>

#include <algorithm>

NamedItemAccessible::NamedItemAccessible(QAction *action)
    : QAccessibleObject(action)
{
}

QAccessibleInterface *NamedItemAccessible::create(const QString &, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    return action && Menu::spokenName(action->data().toInt()) ? new NamedItemAccessible(action) : nullptr;
}

QAction *NamedItemAccessible::action() const
{
    return static_cast<QAction *>(object());
}

QMenuBar *NamedItemAccessible::bar() const
{
    const QList<QObject *> owners = action()->associatedObjects();
    const auto bar = std::find_if(owners.begin(), owners.end(), [](QObject *o) { return qobject_cast<QMenuBar *>(o); });
    return bar == owners.end() ? nullptr : static_cast<QMenuBar *>(*bar);
}

QAccessibleInterface *NamedItemAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(bar());
}

QString NamedItemAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QString::fromUtf8(Menu::spokenName(action()->data().toInt())) : QString();
}

QAccessible::State NamedItemAccessible::state() const
{
    QAccessible::State state;
    QMenuBar *menuBar = bar();
    state.invisible = !menuBar || !menuBar->isVisible();
    state.focusable = true;
    state.focused = menuBar && menuBar->activeAction() == action();
    state.disabled = !action()->isEnabled();
    return state;
}

QRect NamedItemAccessible::rect() const
{
    QMenuBar *menuBar = bar();
    return menuBar ? menuBar->actionGeometry(action()).translated(menuBar->mapToGlobal(QPoint(0, 0))) : QRect();
}

void *NamedItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

void NamedItemAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        action()->trigger();
}
