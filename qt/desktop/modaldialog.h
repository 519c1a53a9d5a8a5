#pragma once

class QDialog;
class QWidget;

// The one way the program opens a dialog or message box, so that it is usable
// on any desktop, with or without a window manager: it shows its focus frame
// from the start, a window iconified while it is open comes straight back, it
// stays whole on a screen that changes under it, under Wayland its surface
// goes at once when it closes, and afterwards the window below it gets the
// keyboard back.
namespace ModalDialog {

// Runs the dialog modally, owned by its parent; its result.
int exec(QDialog &dialog);

// Centred in the available area of its owner's screen, not over its owner.
void centreOnScreen(QWidget *dialog);

} // namespace ModalDialog
