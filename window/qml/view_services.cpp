#include "window/qml/view_services.h"

#include "platform/app_updater.h"
#include "platform/application_restart.h"
#include "platform/desktop_appearance.h"
#include "platform/main_thread.h"
#include "window/library_skin.h"
#include "window/qml/app_icon_cache.h"

namespace orbitdeck {

ViewServices::ViewServices(QObject* parent)
    : QObject(parent) {
    connect(&DesktopPreferencesWatch::shared(), &DesktopPreferencesWatch::changed, this, [this] {
        ++desktopRevision_;
        emit desktopChanged();
    });
}

void ViewServices::callLater(const QJSValue& function) {
    QMetaObject::invokeMethod(
        this,
        [function]() mutable {
            const QJSValue result = function.call();
            if (result.isError())
                qWarning("%s", qPrintable(result.toString()));
        },
        Qt::QueuedConnection);
}

void ViewServices::polishNow(QQuickItem* item) const {
    if (!item)
        return;
    item->ensurePolished();
    for (QQuickItem* child : item->childItems())
        polishNow(child);
}

void ViewServices::clearIconCache() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    AppIconCache::shared().clear();
}

QString ViewServices::resolvedSkin(LibrarySkin skin, int) const {
    return rawValue(orbitdeck::resolvedSkin(skin, DesktopPreferencesWatch::shared()));
}

QString ViewServices::appIconSource(AppIconStyle style) const {
    return QStringLiteral("image://drawing/icons/AltIcon-") + rawValue(style);
}

void ViewServices::restart() {
    restartApplication();
}

void ViewServices::checkForUpdates() {
    AppUpdater::shared().checkForUpdates();
}

} // namespace orbitdeck
