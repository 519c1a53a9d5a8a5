#pragma once

#include "dialogcontrol.h"

#include <span>
#include <string>

// The layer's tables as JSON for the page's script, which builds the menu bar
// and the dialogs from them and holds none of their texts itself.
namespace TableJson {

// Every text the page shows beside the panes' own: the menu, the panes' names,
// the dialogs, the words after "Beenden".
std::string page();

// One dialog: its title, size in dialog units, whether it has a close box, what a
// screen reader reads as it opens, and its controls in tab order, each field with
// the name a screen reader calls it by.
std::string dialog(const char *title, int width, int height, bool closeBox, const std::string &spoken,
                   std::span<const DialogControl> controls, std::string (*fieldName)(int));

} // namespace TableJson
