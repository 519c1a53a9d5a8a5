#pragma once

#include "message.h"

#include <windows.h>

// The layer's messages as modal boxes with an OK button.
namespace MessageBoxes {

void show(HWND owner, const Message &message);

} // namespace MessageBoxes
