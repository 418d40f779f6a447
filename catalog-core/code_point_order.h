#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbitdeck {

// Canonical composition (NFC) of UTF-8 text. Byte order of NFC UTF-8 is code-point order, so
// canonically equivalent texts compare equal and neither locale nor case matters.
// Ill-formed UTF-8 is returned unchanged.
std::string canonicalComposition(std::string_view text);

// The composed form when it differs from text, else none (no copy made).
std::optional<std::string> composedIfChanged(std::string_view text);

bool isValidUtf8(std::string_view text);

// Unicode default lower-casing, independent of the user's locale.
std::string defaultLowercase(std::string_view text);

} // namespace orbitdeck
