#pragma once

#include <windows.h>

// The menu bar's items named for a screen reader where the layer names them
// other than their labels ("?" is "Über Monte Carlo"), through MSAA's
// annotations. Wine 8 refuses annotations (E_NOTIMPL) and keeps the label.
namespace MenuNames {

// COM initialised on the thread; the names go when the menu does, or with clear.
void give(HMENU bar);
void clear(HMENU bar);

} // namespace MenuNames
