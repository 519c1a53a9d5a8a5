#include "dialogflags.h"

#include <QGuiApplication>

namespace DialogFlags {

Qt::WindowFlags make(bool closeBox)
{
    // Qt gives any window with a close box a frame; "wayland-egl" is Wayland too.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return Qt::Dialog | Qt::CustomizeWindowHint | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox)
        flags |= Qt::WindowCloseButtonHint;
    return flags;
}

} // namespace DialogFlags
