#pragma once

#include <QIcon>

// The program's own icon (16, 32 and 48 px, and 64 and 96 px for high-DPI
// screens): the main window's and the about dialog's.
namespace AppIcon {
QIcon icon();
}
