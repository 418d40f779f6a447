#include "window/localization_bridge.h"

#include "platform/defaults_store.h"
#include "platform/main_thread.h"
#include "window/library_settings_keys.h"

#include <QQmlEngine>

#include <cmath>

namespace orbitdeck {
namespace {

FormatArgument formatArgument(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::Double: {
        // QML numbers arrive as doubles; whole ones are counts.
        const double number = value.toDouble();
        if (std::isfinite(number) && std::floor(number) == number && std::abs(number) < 9e15)
            return static_cast<qint64>(number);
        return value.toString();
    }
    default:
        return value.toString();
    }
}

} // namespace

LocalizationBridge::LocalizationBridge(DefaultsStore& defaults, const Localizer& localizer,
                                       QObject* parent)
    : QObject(parent)
    , defaults_(defaults)
    , localizer_(localizer) {
    defaults_.observe(settings::language.key(), this, [this] {
        ORBITDECK_ASSERT_MAIN_THREAD();
        ++revision_;
        emit revisionChanged();
    });
}

void LocalizationBridge::registerSingleton(LocalizationBridge* bridge) {
    ProvidedSingleton<LocalizationBridge>::provide(bridge);
}

LibraryLanguage LocalizationBridge::language() const {
    return currentLanguage(defaults_);
}

QString LocalizationBridge::localeName() const {
    return localizer_.lprojName(language());
}

QString LocalizationBridge::t(const QString& key, int) const {
    return localizer_.localized(key, language());
}

QString LocalizationBridge::format(const QString& key, const QVariantList& arguments, int) const {
    std::vector<FormatArgument> converted;
    for (const QVariant& argument : arguments)
        converted.push_back(formatArgument(argument));
    return localizer_.localizedFormat(key, language(), converted);
}

} // namespace orbitdeck
