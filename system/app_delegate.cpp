#include "system/app_delegate.h"

#include "platform/app_updater.h"
#include "platform/defaults_store.h"
#include "platform/main_thread.h"
#include "window/library_settings_keys.h"
#include "window/localization.h"
#include "window/window_seams.h"

namespace orbitdeck {

bool wantsStatusItem(const DefaultsStore& defaults) {
    return defaults.boolValue(orbitdeck::settings::menuBarIcon.key()).value_or(true);
}

AmbergridAppDelegate::AmbergridAppDelegate(Seams seams, QObject* parent)
    : QObject(parent)
    , seams_(std::move(seams)) {}

AmbergridAppDelegate::~AmbergridAppDelegate() = default;

void AmbergridAppDelegate::applicationDidFinishLaunching() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (std::exchange(launched_, true))
        return;
    if (seams_.applyApplicationIcon)
        seams_.applyApplicationIcon();
    if (seams_.updater && !seams_.updater->hasController())
        seams_.updater->createControllerIfPossible();
    updateStatusItem();
    // Only a disagreement between wish and state touches the item, so an unrelated write
    // never recreates it.
    seams_.defaults->observe(orbitdeck::settings::menuBarIcon.key(), this, [this] {
        if (wantsStatusItem(*seams_.defaults) != hasStatusItem())
            updateStatusItem();
    });
}

void AmbergridAppDelegate::updateStatusItem() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!wantsStatusItem(*seams_.defaults)) {
        statusItem_.reset();
        return;
    }
    if (statusItem_ || seams_.statusArea == nullptr)
        return;
    statusItem_ = seams_.statusArea->addItem({
        .identifier = QStringLiteral("orbitdeck"),
        .title = QStringLiteral("Orbitdeck"),
        .iconName = seams_.statusIconName,
        .iconThemePath = seams_.statusIconThemePath,
        .icon = seams_.statusIcon ? seams_.statusIcon() : QImage(),
        .menu = [this] { return statusMenu(); },
        .chosen = [this](int action) { perform(action); },
        .activated = [this] { showMainWindow(); },
    });
}

std::vector<StatusMenuEntry> AmbergridAppDelegate::statusMenu() const {
    const LibraryLanguage language = currentLanguage(*seams_.defaults);
    const auto entry = [language](int id, const char* title, const char* key = "") {
        return StatusMenuEntry{.id = id,
                               .title = localized(QString::fromUtf8(title), language),
                               .key = QString::fromLatin1(key)};
    };
    const StatusMenuEntry separator{.separator = true};
    return {
        entry(open, "Open Orbitdeck"),
        entry(settings, "Settings…", ","),
        entry(updates, "Check for Updates…"),
        separator,
        // The version line is not translated.
        StatusMenuEntry{.title = QStringLiteral("Orbitdeck ") + seams_.version, .enabled = false},
        separator,
        entry(restart, "Restart Orbitdeck"),
        entry(quit, "Quit Orbitdeck", "q"),
    };
}

void AmbergridAppDelegate::perform(int action) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    switch (action) {
    case open:
        showMainWindow();
        return;
    case settings:
        openWindowAndPost(LibraryCommand::settings);
        return;
    case updates:
        if (seams_.updater)
            seams_.updater->checkForUpdates();
        return;
    case restart:
        if (seams_.restart)
            seams_.restart();
        return;
    case quit:
        if (seams_.quit)
            seams_.quit();
        return;
    default:
        return;
    }
}

void AmbergridAppDelegate::showMainWindow() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    LibraryPresentation* presentation = seams_.presentation;
    if (presentation == nullptr)
        return;
    const bool hadWindow = presentation->hasWindow();
    presentation->show(false);
    if (!hadWindow && openMainWindow_)
        openMainWindow_();
}

void AmbergridAppDelegate::openWindowAndPost(LibraryCommand command) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    showMainWindow();
    postLibraryCommand(*seams_.scheduler, command, commandDelay);
}

} // namespace orbitdeck
