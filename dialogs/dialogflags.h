#pragma once

#include <QGuiApplication>

namespace DialogFlags {

// A dialog's or box's window: a title and, where it has one, a close box, but
// nothing to minimise or maximise. Under Wayland Qt draws the frame itself,
// always with minimise and maximise buttons, and a window minimised there can
// only be brought back by the compositor: dialogs go without a frame there.
inline Qt::WindowFlags make(bool closeBox)
{
    // Qt gives any window with a close box a frame.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return Qt::Dialog | Qt::CustomizeWindowHint | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox)
        flags |= Qt::WindowCloseButtonHint;
    return flags;
}

} // namespace DialogFlags
