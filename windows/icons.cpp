// SPDX-License-Identifier: MIT
#include "windows/icons.h"

namespace windows {

QIcon designIcon() {
    // Four small images: reading them at once costs a few hundred microseconds.
    QIcon icon;
    for (const char* name : {"brimel-16-16c", "brimel-16-256c"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)), QSize(16, 16));
    for (const char* name : {"brimel-32-16c", "brimel-32-256c"})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)), QSize(32, 32));
    return icon;
}

QIcon programIcon(QIcon images) {
    for (int size : {48, 64, 128, 256})
        images.addFile(QStringLiteral(":/icons/hicolor/%1x%1/brimel.png").arg(size),
                       QSize(size, size));
    return images;
}

QIcon aboutIcon() {
    return QIcon(QStringLiteral(":/icons/brimel-32-16c.png"));
}

} // namespace windows
