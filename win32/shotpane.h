#pragma once

#include "picture.h"
#include "scale.h"

#include <windows.h>

#include <cstdint>

class Session;

// The left pane: the square with its circle and the shots, kept in a picture.
// A paint asked for is drawn into the picture when served, from the state at
// that moment; the screen sees the picture at display rate, not once per shot.
class ShotPane
{
public:
    static constexpr const wchar_t *className = L"Schussfenster";

    explicit ShotPane(const Session &session);

    static bool registerClass(HINSTANCE instance);
    HWND create(HWND parent, HINSTANCE instance);
    HWND window() const { return m_window; }

    // The pane's place in the main window, in device pixels.
    void place(const RECT &area);
    void setScale(Scale scale);

    // A paint asked for, from the white background if erase is set.
    void request(bool erase);
    // Draws a paint asked for into the picture.
    void serve();
    // Shows the picture if it changed, at once or when a display frame has passed.
    void present(bool now);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void fit();
    void drawFigure();

    const Session &m_session;
    HWND m_window = nullptr;
    Picture m_picture;
    Scale m_scale;
    int m_width = 0;
    int m_height = 0;
    bool m_pending = false;
    bool m_erase = false;
    bool m_changed = false;
    std::uint64_t m_shownAt = 0;
};
