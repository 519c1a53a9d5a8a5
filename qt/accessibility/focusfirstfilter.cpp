#include "focusfirstfilter.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace FocusFirstFilter {

namespace {
QAccessible::UpdateHandler next = nullptr;
// The object a screen reader was last told has the keyboard.
QPointer<QObject> toldFocused;
} // namespace

void install()
{
    if (const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(filter); before != filter)
        next = before;
}

void filter(QAccessibleEvent *event)
{
    QObject *object = event->object();
    if (event->type() == QAccessible::Focus)
        toldFocused = object;
    // A dialog or box that opens or closes moves the reader's focus, which is told anew.
    if (event->type() == QAccessible::DialogStart || event->type() == QAccessible::DialogEnd)
        toldFocused = nullptr;
    if (event->type() == QAccessible::TextSelectionChanged && qobject_cast<QLineEdit *>(object)
        && (object != toldFocused || object != QApplication::focusWidget()))
        return;
    if (next)
        next(event);
    else if (QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->notifyAccessibilityUpdate(event);
}

} // namespace FocusFirstFilter
