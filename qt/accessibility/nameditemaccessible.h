#pragma once

#include <QAccessibleObject>

class QAction;
class QMenuBar;

// What a screen reader finds of a menu bar item whose label says nothing when
// read ("?", which speech-dispatcher passes on as an empty string): a menu item
// with the layer's spoken name, focused while the menu bar has it active.
class NamedItemAccessible : public QAccessibleObject, public QAccessibleActionInterface
{
public:
    explicit NamedItemAccessible(QAction *action);

    // For QAccessible::installFactory: an interface for an item the layer names, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QAccessibleInterface *parent() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    QRect rect() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QAction *action() const;
    QMenuBar *bar() const;
};
