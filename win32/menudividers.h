#pragma once

#include <windows.h>

// The menu bar's "|" items, the layer's dividers: made separators, so that
// the keyboard passes over them and a screen reader hears a separator, not a
// "|", and drawn by the window as the "|" they were.
namespace MenuDividers {

void make(HMENU bar);
// WM_MEASUREITEM and WM_DRAWITEM of the window with the bar; false for other items.
bool measure(HWND window, MEASUREITEMSTRUCT &item);
bool draw(const DRAWITEMSTRUCT &item);

} // namespace MenuDividers
