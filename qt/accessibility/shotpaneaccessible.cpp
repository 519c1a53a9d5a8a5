#include "shotpaneaccessible.h"

#include "screenreader.h"
#include "session.h"
#include "shotpane.h"
#include "shotpicture.h"

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
        return QString::fromUtf8(ScreenReader::shotName);
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    const auto *pane = static_cast<const ShotPane *>(widget());
    const Session &session = pane->session();
    // Every shot of the run is plotted at the next paint, the latest may still wait for it.
    const auto plotted = std::max<long long>(
        0, ShotPicture::shots(session) - (pane->paintPending() ? 1 : 0));
    return QString::fromStdString(ScreenReader::shotDescription(session, plotted));
}
