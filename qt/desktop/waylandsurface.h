#pragma once

class QWindow;

namespace WaylandSurface {

// Takes the window's picture off a Wayland screen at once, before Qt destroys
// its surface. A compositor that fades out a closed window (weston does) gives
// the keyboard to the next window only when the fade ends, and drops every key
// typed meanwhile; a surface that is already unmapped is not faded.
// Does nothing on other platforms.
void unmap(QWindow *window);

} // namespace WaylandSurface
