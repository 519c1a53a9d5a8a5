#pragma once

#include <windows.h>

// The front end's windows; the panes and their timer live as long as the main window.
struct Handles
{
    HINSTANCE instance = nullptr;
    HWND main = nullptr;
    HWND status = nullptr;
    HWND shots = nullptr;
};
