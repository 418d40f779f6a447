#pragma once

#include "platform/main_thread.h"

#include <utility>

namespace orbitdeck {

// Assigns a state field and signals only on a real change, so QML bindings do not churn.
template <typename Owner, typename Value, typename Signal>
void assignAndNotify(Owner* owner, Value& field, Value value, Signal signal) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (field == value)
        return;
    field = std::move(value);
    emit(owner->*signal)();
}

} // namespace orbitdeck
