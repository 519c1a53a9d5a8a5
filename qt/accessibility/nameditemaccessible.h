#pragma once

#include "menubaritemaccessible.h"

// What a screen reader finds of a menu bar item whose label says nothing when
// read ("?", which speech-dispatcher passes on as an empty string): a menu item
// with the layer's spoken name, focused while the menu bar has it active.
class NamedItemAccessible : public MenuBarItemAccessible, public QAccessibleActionInterface
{
public:
    using MenuBarItemAccessible::MenuBarItemAccessible;

    // For QAccessible::installFactory: an interface for an item the layer names, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};
