#pragma once

#include "system/launch_triggers.h"

#include <QVariant>

#include <functional>
#include <optional>
#include <string_view>

namespace orbitdeck {

// Reads one stored value by key; none when the key is absent.
using StoredValueReader = std::function<std::optional<QVariant>(std::string_view key)>;

// The trigger settings as stored: an unknown corner name reads as off, and only a stored
// boolean switches pinch or F4 on.
TriggerSettings readTriggerSettings(const StoredValueReader& read);

} // namespace orbitdeck
