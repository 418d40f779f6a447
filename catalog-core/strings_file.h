#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbitdeck {

// One parsed ".strings" table ("key" = "value"; with /* */ and // comments). Parsing stops at the
// first syntax error; the entries before it are kept so a damaged table still serves what it
// can. Texts are UTF-8.
struct StringsEntries {
    struct Error {
        int line = 0;
        std::string message;
    };

    std::vector<std::pair<std::string, std::string>> entries; // in file order; repeats kept
    std::vector<std::string> duplicateKeys;
    std::optional<Error> error;

    // The value of the last entry with this key.
    std::optional<std::string> value(std::string_view key) const;
};

// UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order mark.
StringsEntries parseStrings(std::string_view bytes);

} // namespace orbitdeck
