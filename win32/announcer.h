#pragma once

#include <windows.h>

#include <string>

// Tells a screen reader a sentence that nothing on screen shows: an alert
// object of the window, named with the sentence, and the system's alert event
// for it, which NVDA and JAWS speak through MSAA and Narrator through UI
// Automation's MSAA bridge.
class Announcer
{
public:
    // The window's own object ids are positive; the system's are not.
    static constexpr LONG objectId = 1;

    explicit Announcer(HWND window = nullptr) : m_window(window) {}

    void announce(std::wstring sentence);
    // The answer to WM_GETOBJECT for the alert object; 0 for any other.
    LRESULT answer(WPARAM wParam, LPARAM lParam) const;

private:
    HWND m_window;
    std::wstring m_sentence;
};
