#include "settings/app_icon.h"

#include "platform/main_thread.h"
#include "window/library_settings.h"
#include "window/window_settings.h"

#include <QFile>
#include <QGuiApplication>
#include <QVariantMap>
#include <QWindow>

namespace orbitdeck {

QString appIconResourcePath(AppIconStyle style) {
    return QStringLiteral(":/icons/AltIcon-%1.svg").arg(rawValue(style));
}

std::optional<QIcon> appIconImage(AppIconStyle style) {
    const QString path = appIconResourcePath(style);
    if (!QFile::exists(path))
        return std::nullopt;
    return QIcon(path);
}

AppIconStyle storedAppIconStyle(const DefaultsStore& store) {
    return readSetting(store, settings::appIcon);
}

AppIconTarget applicationIconTarget() {
    return {
        .image = appIconImage,
        .setApplicationIcon =
            [](const QIcon& icon) {
                QGuiApplication::setWindowIcon(icon);
                // A window already made keeps the icon it was shown with: each one gets the new.
                for (QWindow* window : QGuiApplication::topLevelWindows())
                    window->setIcon(icon);
            },
    };
}

void applyAppIcon(AppIconStyle style, DefaultsStore& store, const AppIconTarget& target) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    writeSetting(store, settings::appIcon, style);
    const std::optional<QIcon> image = target.image ? target.image(style) : std::nullopt;
    if (image && target.setApplicationIcon)
        target.setApplicationIcon(*image);
}

AppIconChoice::AppIconChoice(QObject* parent)
    : QObject(parent)
    , target_(applicationIconTarget()) {}

AppIconChoice::AppIconChoice(WindowSettings& settings, AppIconTarget target, QObject* parent)
    : QObject(parent)
    , target_(std::move(target)) {
    setSettings(&settings);
}

void AppIconChoice::setSettings(WindowSettings* settings) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (settings_ == settings)
        return;
    if (settings_)
        disconnect(&settings_->store(), nullptr, this, nullptr);
    settings_ = settings;
    if (settings_)
        settings_->store().observe(settings::appIcon.key(), this,
                                   [this] { emit selectionChanged(); });
    emit settingsChanged();
    emit selectionChanged();
}

AppIconStyle AppIconChoice::selection() const {
    return settings_ ? storedAppIconStyle(settings_->store()) : AppIconStyle::midnight;
}

QVariantList AppIconChoice::choices() const {
    QVariantList entries;
    for (const auto& entry : allCases<AppIconStyle>()) {
        const bool hasImage = target_.image && target_.image(entry.value).has_value();
        const QString image =
            hasImage ? QStringLiteral("qrc") + appIconResourcePath(entry.value) : QString();
        entries.append(QVariantMap{{QStringLiteral("value"), static_cast<int>(entry.value)},
                                   {QStringLiteral("name"), rawValue(entry.value)},
                                   {QStringLiteral("title"), titleKey(entry.value)},
                                   {QStringLiteral("image"), image}});
    }
    return entries;
}

void AppIconChoice::choose(AppIconStyle style) {
    if (isCase(style) && settings_)
        applyAppIcon(style, settings_->store(), target_);
}

} // namespace orbitdeck
