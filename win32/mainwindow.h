#pragma once

#include <windows.h>

class FrontEnd;

// The full-screen popup window with the menu bar; it holds the two panes and
// hands what happens to it to the front end.
class MainWindow
{
public:
    static constexpr const wchar_t *className = L"Monte Carlo";

    static bool registerClass(HINSTANCE instance);
    // On the monitor under the pointer, covering it.
    static HWND create(HINSTANCE instance, FrontEnd &frontEnd);
    // Covers its monitor again after the monitor changed.
    static void fitToMonitor(HWND window);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
