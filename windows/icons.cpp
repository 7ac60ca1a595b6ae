// SPDX-License-Identifier: MIT
#include "windows/icons.h"

namespace windows {

QIcon programIcon() {
    QIcon icon;
    for (const char* name : {"brimel-16-16c", "brimel-16-256c", "brimel-32-16c", "brimel-32-256c"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
    return icon;
}

QIcon aboutIcon() {
    return QIcon(QStringLiteral(":/icons/brimel-32-16c.png"));
}

} // namespace windows
