#include "shotpaneaccessible.h"

#include "body.h"
#include "shotpane.h"
#include "simulation.h"

#include <algorithm>

ShotPaneAccessible::ShotPaneAccessible(ShotPane *pane)
    : QAccessibleWidget(pane, QAccessible::Graphic)
{
}

QAccessibleInterface *ShotPaneAccessible::create(const QString &, QObject *object)
{
    auto *pane = qobject_cast<ShotPane *>(object);
    return pane ? new ShotPaneAccessible(pane) : nullptr;
}

QString ShotPaneAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QStringLiteral("Schussbild");
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);

    const auto *pane = static_cast<const ShotPane *>(widget());
    const QString figure = QStringLiteral("Quadrat mit Kreis, Radius %1 px")
                               .arg(pane->body().radius());
    if (!pane->simulation().running())
        return figure + QStringLiteral(", kein Durchlauf aktiv, keine Punkte gezeichnet");
    // Every shot of the run is plotted at the next paint, the latest may still wait for it.
    const auto plotted = std::max<qint64>(
        0, static_cast<qint64>(pane->simulation().shots()) - (pane->paintPending() ? 1 : 0));
    return figure + QStringLiteral(", Durchlauf aktiv, %1 %2 gezeichnet")
                        .arg(plotted)
                        .arg(plotted == 1 ? QStringLiteral("Punkt") : QStringLiteral("Punkte"));
}
