#pragma once

#include <windows.h>

// The dialog's static texts and check boxes in the dialog font Windows gives
// it: a text wider than its template place is widened as the layer's TextFit
// says, instead of being cut or wrapped.
namespace DialogTexts {

// At WM_INITDIALOG, once the controls exist.
void fit(HWND dialog);

} // namespace DialogTexts
