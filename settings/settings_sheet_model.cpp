#include "settings/settings_sheet_model.h"

#include "platform/accessibility_trust.h"
#include "platform/app_updater.h"
#include "platform/login_item.h"
#include "platform/main_thread.h"
#include "settings/settings_choices.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"
#include "window/organizer.h"
#include "window/setting_enum.h"
#include "window/undoable_unhide.h"

#include <QGuiApplication>

#include <string_view>

namespace orbitdeck {

namespace {

SettingsSheetServices& installedServices() {
    static XdgAutostartLoginItem loginItem;
    static X11AccessibilityTrust trust;
    // Without an in-app updater the check opens the download page, as from the status menu.
    static SettingsSheetServices services{
        .loginItem = &loginItem, .accessibility = &trust, .checkForUpdates = [] {
            AppUpdater::shared().checkForUpdates();
        }};
    return services;
}

QVariantList pickerEntries(const std::vector<PickerEntry>& entries) {
    QVariantList list;
    for (const PickerEntry& entry : entries)
        list.append(QVariantMap{{QStringLiteral("value"), entry.value},
                                {QStringLiteral("title"), entry.title},
                                {QStringLiteral("titleIsKey"), entry.titleIsKey}});
    return list;
}

} // namespace

SettingsSheetServices& SettingsSheetServices::current() {
    return installedServices();
}

void SettingsSheetServices::install(SettingsSheetServices services) {
    installedServices() = services;
}

SettingsSheetModel::SettingsSheetModel(QObject* parent)
    : QObject(parent) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    refreshAccessibility();
    // Permission granted elsewhere shows as soon as the launcher is active again.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::applicationStateChanged, this,
                [this] { refreshAccessibility(); });
}

SettingsSheetModel::~SettingsSheetModel() = default;

AmbergridWindow* SettingsSheetModel::window() const {
    return window_;
}

void SettingsSheetModel::setWindow(AmbergridWindow* window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_ == window)
        return;
    if (window_)
        window_->disconnect(this);
    delete sheetSettings_;
    sheetSettings_ = nullptr;
    window_ = window;
    if (AmbergridWindow* target = window) {
        sheetSettings_ = new SheetSettings(target->settings()->store(), this);
        connect(target->lifecycle(), &WindowLifecycle::wallpaperUnavailableChanged, this,
                &SettingsSheetModel::windowStateChanged);
        connect(target->lifecycle(), &WindowLifecycle::hotKeyRefusedChanged, this,
                &SettingsSheetModel::windowStateChanged);
        connect(target->lifecycle(), &WindowLifecycle::waylandSessionChanged, this,
                &SettingsSheetModel::windowStateChanged);
        connect(target->library(), &LibraryState::hiddenChanged, this,
                &SettingsSheetModel::windowStateChanged);
        connect(target->library(), &LibraryState::appsChanged, this,
                &SettingsSheetModel::windowStateChanged);
        connect(target, &AmbergridWindow::extensionsChanged, this,
                &SettingsSheetModel::windowStateChanged);
    }
    readOpenAtLogin();
    emit windowChanged();
    emit windowStateChanged();
}

WindowSettings* SettingsSheetModel::settings() const {
    return window_ ? window_->settings() : nullptr;
}

bool SettingsSheetModel::wallpaperUnavailable() const {
    return window_ && window_->lifecycle()->wallpaperUnavailable();
}

bool SettingsSheetModel::hotKeyRefused() const {
    return window_ && window_->lifecycle()->hotKeyRefused();
}

QString SettingsSheetModel::shortcutsFootnote() const {
    // X11 lets any client grab keys and watch the root window; Wayland lets none.
    const std::string_view key =
        window_ && window_->lifecycle()->waylandSession()
            ? textKey("On Wayland the desktop keeps global shortcuts and the screen’s corners to "
                      "itself: bind “orbitdeck --toggle” to a key in the desktop’s keyboard "
                      "settings to open Orbitdeck from anywhere.")
            : textKey("The global shortcut works right away. Hot corner, pinch and F4 need no "
                      "permission in an X11 session.");
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

bool SettingsSheetModel::hasOrganizer() const {
    return window_ && window_->organizer();
}

QVariantList SettingsSheetModel::hiddenApps() const {
    return window_ ? window_->library()->hiddenApps() : QVariantList();
}

void SettingsSheetModel::setConfirmUngroup(bool value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (confirmUngroup_ == value)
        return;
    confirmUngroup_ = value;
    emit confirmUngroupChanged();
}

bool SettingsSheetModel::canCheckForUpdates() const {
    return static_cast<bool>(SettingsSheetServices::current().checkForUpdates);
}

void SettingsSheetModel::checkForUpdates() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const auto& check = SettingsSheetServices::current().checkForUpdates)
        check();
}

QString SettingsSheetModel::versionLine() const {
    return orbitdeck::versionLine(currentAppVersion());
}

QString SettingsSheetModel::versionText() const {
    return orbitdeck::versionText(versionLine());
}

QVariantList SettingsSheetModel::columnChoices() const {
    return pickerEntries(columnEntries());
}

QVariantList SettingsSheetModel::rowChoices() const {
    return pickerEntries(rowEntries());
}

QVariantList SettingsSheetModel::languageChoices() const {
    QVariantList list;
    for (const auto& entry : allCases<LibraryLanguage>())
        list.append(QVariantMap{{QStringLiteral("value"), static_cast<int>(entry.value)},
                                {QStringLiteral("title"), displayName(entry.value)}});
    return list;
}

void SettingsSheetModel::close() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_)
        window_->actions()->closeSettings();
}

void SettingsSheetModel::changeMode(LibraryStartup mode) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_)
        window_->actions()->changeStartMode(mode);
}

void SettingsSheetModel::organize(const QString& organization) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (canOrganize(organization))
        window_->organizer()->performOrganization(*organizationNamed(organization));
}

bool SettingsSheetModel::canOrganize(const QString& organization) const {
    const auto value = organizationNamed(organization);
    return value && hasOrganizer() && window_->organizer()->canPerform(*value);
}

void SettingsSheetModel::unhide(const QString& appID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (UndoableUnhide* unhide = window_ ? window_->undoableUnhide() : nullptr)
        unhide->unhideWithUndo(appID);
}

void SettingsSheetModel::setOpenAtLogin(bool on) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    LoginItem* item = SettingsSheetServices::current().loginItem;
    if (!item)
        return;
    const std::optional<QString> error = on ? item->registerItem() : item->unregisterItem();
    setLoginError(error.value_or(QString()));
    readOpenAtLogin();
}

void SettingsSheetModel::setCustomIconSize(bool on) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    WindowSettings* target = settings();
    if (!target)
        return;
    target->setCustomIconSize(on ? customIconSizeSeed(target->densityValue()) : 0);
}

void SettingsSheetModel::setIconSizeFromSlider(double position) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (WindowSettings* target = settings())
        target->setCustomIconSize(iconSizeFromSlider(position));
}

void SettingsSheetModel::refreshAccessibility() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const AccessibilityTrust* trust = SettingsSheetServices::current().accessibility;
    const bool granted = trust && trust->isTrusted();
    if (granted == accessibilityGranted_)
        return;
    accessibilityGranted_ = granted;
    emit accessibilityGrantedChanged();
}

void SettingsSheetModel::readOpenAtLogin() {
    const LoginItem* item = SettingsSheetServices::current().loginItem;
    const bool enabled = item && item->status() == LoginItemStatus::enabled;
    if (enabled == openAtLogin_)
        return;
    openAtLogin_ = enabled;
    emit openAtLoginChanged();
}

void SettingsSheetModel::setLoginError(const QString& error) {
    if (error == loginError_)
        return;
    loginError_ = error;
    emit loginErrorChanged();
}

} // namespace orbitdeck
