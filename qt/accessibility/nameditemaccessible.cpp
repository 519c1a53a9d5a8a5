#include "nameditemaccessible.h"

#include "menu.h"

#include <QAction>
#include <QMenuBar>

QAccessibleInterface *NamedItemAccessible::create(const QString &, QObject *object)
{
    auto *action = qobject_cast<QAction *>(object);
    return action && Menu::spokenName(action->data().toInt()) ? new NamedItemAccessible(action) : nullptr;
}

QString NamedItemAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QString::fromUtf8(Menu::spokenName(id())) : QString();
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

void *NamedItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
}

void NamedItemAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        action()->trigger();
}
