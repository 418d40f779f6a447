#pragma once

#include <string>
#include <string_view>

namespace orbitdeck {

// Names compared as people read a list: letter case ignored, digit runs by their value (App 2
// before App 10), in the collation of the interface language (an identifier such as "en" or
// "zh-Hans"). Negative, zero or positive like strcmp.
int compareNames(std::string_view left, std::string_view right, std::string_view languageID);

// A byte key with the same order as compareNames, for sorting many names: compare keys with
// plain string comparison.
std::string nameSortKey(std::string_view name, std::string_view languageID);

} // namespace orbitdeck
