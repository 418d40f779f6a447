#pragma once

#include <chrono>
#include <string>
#include <unordered_map>

namespace orbitdeck {

// A moment in an application's life (last opened, added to its folder).
using AppDate = std::chrono::system_clock::time_point;

// Dates by `AppDescriptor` id.
using AppDates = std::unordered_map<std::string, AppDate>;

} // namespace orbitdeck
