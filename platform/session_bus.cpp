#include "platform/session_bus.h"

#include <QFileInfo>
#include <QString>

namespace orbitdeck {

bool sessionBusAdvertised() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    if (qEnvironmentVariable("DBUS_STARTER_BUS_TYPE") == u"session" &&
        !qEnvironmentVariableIsEmpty("DBUS_STARTER_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

} // namespace orbitdeck
