#include "waylandsurface.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qpa/qplatformnativeinterface.h>

#include <wayland-client-protocol.h>

void WaylandSurface::unmap(QWindow *window)
{
    if (!window || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window));
    if (!surface)
        return;
    wl_surface_attach(surface, nullptr, 0, 0);
    wl_surface_commit(surface);
}
