#include "shotpaneaccessible.h"

#include "screenreader.h"
#include "shotpane.h"

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
        return QString::fromUtf8(ScreenReader::shotName);
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    return QString::fromStdString(static_cast<const ShotPane *>(widget())->description());
}
