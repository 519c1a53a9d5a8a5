#pragma once

#include "rect.h"

// One control of a dialog template, in template order, which is the tab order.
// Rectangles are in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its height down.
struct DialogControl
{
    enum class Kind { Edit, CheckBox, DefaultButton, Button, GroupBox, Label, Icon };

    int id; // -1 for a static text or group box
    Kind kind;
    const char *text; // UTF-8; empty for a field
    Rect units;
    const char *name = ""; // what tests find a control by
    int maxLength = 0; // characters a field takes; 0: no limit of its own
    bool digitsOnly = false; // only digits can be typed; pasted text is not filtered
    int buddy = 0; // for a label: the field it names
};
