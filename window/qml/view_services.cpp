#include "window/qml/view_services.h"

#include "platform/desktop_appearance.h"
#include "platform/main_thread.h"
#include "window/qml/app_icon_cache.h"

#include <QCoreApplication>
#include <QProcess>

namespace orbitdeck {

ViewServices::ViewServices(QObject* parent)
    : QObject(parent) {
    connect(&DesktopPreferencesWatch::shared(), &DesktopPreferencesWatch::changed, this, [this] {
        ++desktopRevision_;
        emit desktopChanged();
    });
}

void ViewServices::clearIconCache() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    AppIconCache::shared().clear();
}

QString ViewServices::resolvedSkin(const QString& skin, int) const {
    if (skin != QLatin1String("auto"))
        return skin;
    return DesktopPreferencesWatch::shared().appearance() == DesktopAppearance::light
               ? QStringLiteral("paper")
               : QStringLiteral("night");
}

void ViewServices::restart() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QString script =
        QStringLiteral("while kill -0 \"$1\" 2>/dev/null; do sleep 0.2; done; exec \"$2\"");
    // A failure to start the shell is not reported: the program quits either way.
    QProcess::startDetached(QStringLiteral("/bin/sh"),
                            {QStringLiteral("-c"), script, QStringLiteral("sh"),
                             QString::number(QCoreApplication::applicationPid()),
                             QCoreApplication::applicationFilePath()});
    QCoreApplication::quit();
}

} // namespace orbitdeck
