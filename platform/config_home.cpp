#include "platform/config_home.h"

#include <QDir>

namespace orbitdeck {

QString configHome() {
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        return QDir::homePath() + QStringLiteral("/.config");
    return base;
}

} // namespace orbitdeck
