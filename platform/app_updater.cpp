#include "platform/app_updater.h"

#include "platform/main_thread.h"

#include <QDesktopServices>

#include <algorithm>

namespace orbitdeck {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

} // namespace

bool isUsableSigningKey(const std::optional<DefaultsValue>& value) {
    const QString* text = value ? std::get_if<QString>(&*value) : nullptr;
    if (text == nullptr)
        return false;
    return std::any_of(text->cbegin(), text->cend(), [](QChar c) { return !isBlank(c); });
}

AppUpdater::AppUpdater(Seams seams)
    : seams_(std::move(seams)) {}

AppUpdater& AppUpdater::shared() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    static AppUpdater updater(Seams{
        .infoValue = [](const QString&) { return std::optional<DefaultsValue>(); },
        .makeController = [] { return std::unique_ptr<UpdateController>(); },
        .activate = [] {},
        .openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); },
        .downloadPage = QString::fromLatin1(downloadPageAddress),
    });
    return updater;
}

bool AppUpdater::canUpdate() const {
    return seams_.infoValue &&
           isUsableSigningKey(seams_.infoValue(QString::fromLatin1(signingKeyName)));
}

void AppUpdater::createControllerIfPossible() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!controller_ && canUpdate() && seams_.makeController)
        controller_ = seams_.makeController();
}

void AppUpdater::checkForUpdates() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    createControllerIfPossible();
    if (!controller_) {
        const QUrl page(seams_.downloadPage, QUrl::StrictMode);
        if (page.isValid() && !page.isRelative() && seams_.openUrl)
            seams_.openUrl(page);
        return;
    }
    if (seams_.activate)
        seams_.activate();
    controller_->checkForUpdates();
}

} // namespace orbitdeck
