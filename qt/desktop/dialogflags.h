#pragma once

#include <Qt>

namespace DialogFlags {

// A dialog's or box's window: a title and, where it has one, a close box, but
// nothing to minimise or maximise. Under Wayland Qt draws the frame itself,
// always with minimise and maximise buttons, and a window minimised there can
// only be brought back by the compositor: dialogs go without a frame there.
Qt::WindowFlags make(bool closeBox);

} // namespace DialogFlags
