#pragma once

#include <QIcon>

// The program's own icon (16, 32 and 48 px): the main window's and the about dialog's.
namespace AppIcon {
QIcon icon();
}
