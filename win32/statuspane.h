#pragma once

#include "announcer.h"
#include "picture.h"
#include "picturecanvas.h"
#include "runprogress.h"
#include "scale.h"
#include "statuspage.h"
#include "statuspicture.h"
#include "statusreading.h"

#include <windows.h>

#include <vector>

class FrontEnd;
class Session;

// The right pane: the status page in its colours (white on black unless the
// desktop asks for high contrast), kept in a picture and
// redrawn in place at each 50 ms tick of its timer. It takes the keyboard and
// is read-only text to a screen reader, read at a hidden caret that the arrows,
// Home and End move as the layer's StatusReading says.
class StatusPane
{
public:
    static constexpr const wchar_t *className = L"Statusfenster";
    static constexpr UINT_PTR timerId = 1;

    explicit StatusPane(FrontEnd &frontEnd);
    StatusPane(const StatusPane &) = delete;
    StatusPane &operator=(const StatusPane &) = delete;

    static bool registerClass(HINSTANCE instance);
    HWND create(HWND parent, HINSTANCE instance);
    HWND window() const { return m_window; }

    // The pane's place in device pixels; only visibleWidth of it shows.
    void place(const RECT &area, int visibleWidth);
    void setScale(Scale scale);
    // Paints in these colours from now on: the page is drawn anew.
    void setColours(const PaneColours &colours);

    // Draws the page now, over the old one or from its paper if erase is set;
    // a page that has not changed is not drawn again.
    void request(bool erase);
    // Says the sentence to a screen reader.
    void announce(const std::string &sentence);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void fit();
    // The key pressed, where the layer maps it.
    void press(WPARAM key);
    // The hidden caret at its character, where NVDA looks for the text to read.
    void placeCaret();
    // The page was refreshed: tells a screen reader the change, when the reading says so.
    void tellScreenReader();

    FrontEnd &m_frontEnd;
    StatusPicture m_page;
    HWND m_window = nullptr;
    Picture m_picture;
    Scale m_scale;
    PictureCanvas m_canvas{m_picture, m_scale};
    // A line's height in device pixels; 0 before the first scale.
    int m_lineHeight = 0;
    int m_visibleWidth = 0;
    int m_height = 0;
    // The page on the picture now.
    const std::vector<StatusPage::Text> &m_shown = m_page.shown();
    Announcer m_announcer;
    StatusReading m_reading;
    RunProgress m_progress;
    // Where the caret was placed last; none after it was created.
    POINT m_caretPlace{-1, -1};
};
