#include "system/trigger_settings.h"

#include "window/library_settings.h"

namespace orbitdeck {

TriggerSettings readTriggerSettings(const DefaultsStore& store) {
    return {
        .hotCorner = readSetting(store, settings::hotCorner),
        .pinchToOpen = readSetting(store, settings::pinchToOpen),
        .f4Key = readSetting(store, settings::f4Key),
    };
}

} // namespace orbitdeck
