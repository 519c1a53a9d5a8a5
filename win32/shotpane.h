#pragma once

#include "picture.h"
#include "picturecanvas.h"
#include "scale.h"
#include "shotpicture.h"
#include "size.h"

#include <windows.h>

#include <cstdint>

class Session;

// The left pane: keeps what ShotPicture paints, the square with its circle and
// the shots, in a picture. A paint asked for is drawn into the picture when
// served, from the state at that moment; the screen sees the picture at display
// rate, not once per shot.
class ShotPane
{
public:
    static constexpr const wchar_t *className = L"Schussfenster";

    explicit ShotPane(const Session &session);

    static bool registerClass(HINSTANCE instance);
    HWND create(HWND parent, HINSTANCE instance);
    HWND window() const { return m_window; }
    const Picture &picture() const { return m_picture; }

    // The pane's place in the main window, in device pixels.
    void place(const RECT &area);
    void setScale(Scale scale);
    // Paints in these colours from now on; every point so far is drawn anew in them.
    void setColours(const PaneColours &colours);

    // A paint asked for, from the paper colour if erase is set.
    void request(bool erase);
    // Draws a paint asked for into the picture.
    void serve();
    // Shows the picture if it changed, at once or when a display frame has passed.
    void present(bool now);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The picture covers what ShotPicture keeps of the pane's size now.
    void fit(bool erasing);
    // The picture so far drawn anew, at the scale and in the colours now: it was drawn at was and in wasColours.
    void redraw(Scale was, const PaneColours &wasColours);
    // The pane's size in program pixels.
    Size visible() const;

    ShotPicture m_shots;
    HWND m_window = nullptr;
    Picture m_picture;
    Scale m_scale;
    PictureCanvas m_canvas{m_picture, m_scale};
    // The program pixels the picture covers, from the pane's top left corner.
    Size m_extent;
    int m_width = 0;
    int m_height = 0;
    bool m_pending = false;
    bool m_erase = false;
    bool m_changed = false;
    std::uint64_t m_shownAt = 0;
};
