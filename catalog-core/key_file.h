#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orbitdeck {

// One "[Group]" of an ini-like key file (desktop entries, icon theme indexes): raw values by key,
// localised keys ("Name[de]") kept under their full text.
struct KeyFileGroup {
    std::string name;
    std::unordered_map<std::string, std::string> values;

    const std::string* find(const std::string& key) const {
        const auto found = values.find(key);
        return found == values.end() ? nullptr : &found->second;
    }
};

using KeyFile = std::vector<KeyFileGroup>;

// Parses key-file text as GLib's reader does: values raw (not checked for UTF-8, blanks before
// them dropped, after them kept), the last of repeated keys counting, a repeated group adding to
// the first. Strict: a key before the first group or a line that is neither a comment, a group
// header nor "key=value" gives none. Lenient: such lines are skipped instead (an icon theme's
// index with a stray line still counts).
std::optional<KeyFile> parseKeyFile(std::string_view text, bool lenient = false);

// A string value with its escapes (\s \n \t \r \\) replaced; a backslash at the end is dropped.
std::string unescapeKeyFileValue(std::string_view raw);

// A list value split at unescaped ';', each element unescaped; a trailing ';' adds nothing.
std::vector<std::string> keyFileList(std::string_view raw);

// "true" or "1"; anything else is false.
bool keyFileBoolean(const std::string* raw);

} // namespace orbitdeck
