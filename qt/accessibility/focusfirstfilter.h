#pragma once

class QAccessibleEvent;

// Between Qt and the screen reader: a line edit's selection is told only once
// the line edit has been told focused. Qt selects a field's text as the
// keyboard enters it, before it tells the focus, and deselects the field it
// leaves after the new one has the keyboard, and selects the field a warning
// names before the dialog has the keyboard back: Orca read the value once for
// the selection and again with the focus, and "Text ist nicht mehr
// ausgewählt" on the way out.
namespace FocusFirstFilter {

// In front of whatever handled Qt's accessibility events so far; again after
// another handler took its place.
void install();

void filter(QAccessibleEvent *event);

} // namespace FocusFirstFilter
