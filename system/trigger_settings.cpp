#include "system/trigger_settings.h"

namespace orbitdeck {

namespace {
bool storedBool(const StoredValueReader& read, std::string_view key) {
    const std::optional<QVariant> value = read(key);
    return value && value->typeId() == QMetaType::Bool && value->toBool();
}
} // namespace

TriggerSettings readTriggerSettings(const StoredValueReader& read) {
    TriggerSettings settings;
    if (const std::optional<QVariant> corner = read(hotCornerKey);
        corner && corner->typeId() == QMetaType::QString)
        settings.hotCorner = hotCornerFromStored(corner->toString().toStdString());
    settings.pinchToOpen = storedBool(read, pinchToOpenKey);
    settings.f4Key = storedBool(read, f4KeyKey);
    return settings;
}

} // namespace orbitdeck
