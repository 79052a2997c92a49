#include "AppIcon.h"

// The icon files are compiled into the widgets library, a static library: nothing else refers to its
// resource table, so the linker would leave it out unless it is registered by name. Q_INIT_RESOURCE
// must stand outside any namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(tarnwick);
}

QIcon appIcon()
{
    [[maybe_unused]] static const bool registered = (registerIconResources(), true);
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tarnwick-%1.png").arg(size), QSize(size, size));
    return icon;
}
