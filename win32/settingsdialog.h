#pragma once

#include <windows.h>

class Session;

// The dialog IDD_SETTINGS over the layer's settings form: shows the values,
// enables the fields of the chosen mode, and on OK hands the texts to the form,
// which stores them or names the first that fails.
class SettingsDialog
{
public:
    static void show(HINSTANCE instance, HWND owner, Session &session);

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
