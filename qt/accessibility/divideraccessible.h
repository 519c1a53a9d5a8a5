#pragma once

#include <QAccessibleObject>

class QAction;

// What a screen reader finds of a menu bar item that only divides the groups
// ("|"): a separator without a name, not a command called "|".
class DividerAccessible : public QAccessibleObject
{
public:
    explicit DividerAccessible(QAction *action);

    // For QAccessible::installFactory: an interface for a divider, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);
    // Whether the action is one of Menu::items' dividers.
    static bool isDivider(const QAction *action);

    QAccessibleInterface *parent() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::Role role() const override { return QAccessible::Separator; }
    QAccessible::State state() const override;
    QRect rect() const override;

private:
    QAction *action() const;
    QWidget *bar() const;
};
