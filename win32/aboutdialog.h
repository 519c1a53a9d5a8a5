#pragma once

#include <windows.h>

// The dialog IDD_ABOUT with the layer's texts. Only OK closes it: Escape's
// cancel is ignored and it has no close box.
class AboutDialog
{
public:
    static void show(HINSTANCE instance, HWND owner);

private:
    // The program icon at the dialog's DPI, 64 pixels at 200 %.
    static void scaleIcon(HWND dialog);
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
