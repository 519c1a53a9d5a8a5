#pragma once

#include <QAccessibleWidget>

class ShotPane;

// What a screen reader finds of the shot pane: a picture named "Schussbild"
// whose description tells the body and the points of the current run.
class ShotPaneAccessible : public QAccessibleWidget
{
public:
    explicit ShotPaneAccessible(ShotPane *pane);

    // For QAccessible::installFactory: an interface for a shot pane, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QString text(QAccessible::Text t) const override;
};
