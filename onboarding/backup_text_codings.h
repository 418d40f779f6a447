#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace orbitdeck {

// Standard Base64 with padding.
std::string encodeBase64(std::string_view bytes);
// Strict: only the standard alphabet, whole quanta with correct padding, no white space.
std::optional<std::string> decodeBase64(std::string_view text);

// An internet date-time in UTC without fractional seconds, e.g. "2026-05-04T09:30:00Z".
std::string formatInternetDateTime(std::chrono::sys_seconds moment);
// Accepts "YYYY-MM-DDTHH:MM:SS" followed by "Z" or a "+HH:MM" / "-HH:MM" offset, nothing else.
std::optional<std::chrono::sys_seconds> parseInternetDateTime(std::string_view text);

// "YYYY-MM-DD" of the moment in UTC.
std::string formatCalendarDate(std::chrono::sys_seconds moment);

} // namespace orbitdeck
