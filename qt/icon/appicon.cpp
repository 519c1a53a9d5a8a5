#include "appicon.h"

namespace AppIcon {

QIcon icon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 96})
        icon.addFile(QStringLiteral(":/icons/monte-carlo-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace AppIcon
