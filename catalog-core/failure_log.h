#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace orbitdeck {

// Where the Qt-free modules report an operation that failed (a read, a launch, a bus call):
// category is "orbitdeck.<module>". The first Qt layer routes the lines into its logging
// categories; until then they go to standard error. Safe from any thread.
using FailureSink = void (*)(const char* category, std::string_view message);
void setFailureSink(FailureSink sink);
void logFailure(const char* category, std::string_view message);
// The parts joined into one line.
void logFailure(const char* category, std::initializer_list<std::string_view> parts);

// "<what> <path>: <the system's reason for error>".
std::string failedOn(std::string_view what, std::string_view path, int error);

inline constexpr const char* catalogLog = "orbitdeck.catalog";
inline constexpr const char* libraryLog = "orbitdeck.library";

} // namespace orbitdeck
