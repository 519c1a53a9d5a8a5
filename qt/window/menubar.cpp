#include "menubar.h"

#include <QAccessible>
#include <QKeyEvent>

bool MenuBar::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
    // A copy has no time stamp; the key as it came has the window system's.
    if (key && QAccessible::isActive() && static_cast<QKeyEvent *>(event)->timestamp() == 0)
        return false;
    return QMenuBar::eventFilter(watched, event);
}
