#pragma once

#include "menubaritemaccessible.h"

// What a screen reader finds of a menu bar item that only divides the groups
// ("|"): a separator without a name, not a command called "|".
class DividerAccessible : public MenuBarItemAccessible
{
public:
    using MenuBarItemAccessible::MenuBarItemAccessible;

    // For QAccessible::installFactory: an interface for a divider, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);
    // Whether the action is one of Menu::items' dividers.
    static bool isDivider(const QAction *action);

    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::Role role() const override { return QAccessible::Separator; }
    QAccessible::State state() const override;
};
