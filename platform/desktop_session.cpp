#include "platform/desktop_session.h"

#include <QGuiApplication>
#include <QtGlobal>

namespace orbitdeck {

DesktopSession currentDesktopSession() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return DesktopSession::wayland;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return DesktopSession::wayland;
    return DesktopSession::x11;
}

} // namespace orbitdeck
