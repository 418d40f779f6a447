#include "catalog-core/key_file.h"

#include <algorithm>

namespace orbitdeck {
namespace {

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view withoutLeadingSpace(std::string_view text) {
    while (!text.empty() && isAsciiSpace(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view withoutTrailingSpace(std::string_view text) {
    while (!text.empty() && isAsciiSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A key as GLib takes it (what desktops' menus read): a name without '=', '[' or ']' and without
// blanks at either end, then optionally "[locale]" of letters, digits, '-', '_', '.' and '@'.
bool isValidKey(std::string_view key) {
    const auto end = std::ranges::find_if(
        key, [](char c) { return c == '[' || c == ']' || c == '=' || c == '\0'; });
    const auto bracket = static_cast<std::size_t>(end - key.begin());
    const std::string_view base = key.substr(0, bracket);
    if (base.empty() || base.front() == ' ' || base.back() == ' ')
        return false;
    if (bracket == key.size())
        return true;
    if (key[bracket] != '[' || key.back() != ']')
        return false;
    const std::string_view locale = key.substr(bracket + 1, key.size() - bracket - 2);
    return std::ranges::all_of(locale, [](char c) {
        return isAsciiAlnum(c) || c == '-' || c == '_' || c == '.' || c == '@' ||
               static_cast<unsigned char>(c) >= 0x80;
    });
}

// "[name]", blanks and tabs after it allowed; the name holds no brackets or control characters.
std::optional<std::string_view> groupName(std::string_view line) {
    line = line.substr(0, line.find_last_not_of(" \t") + 1);
    if (line.size() < 3 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    const std::string_view name = line.substr(1, line.size() - 2);
    const bool valid = std::ranges::none_of(name, [](char c) {
        return c == '[' || c == ']' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7f;
    });
    return valid ? std::optional(name) : std::nullopt;
}

} // namespace

std::optional<KeyFile> parseKeyFile(std::string_view text, bool lenient) {
    KeyFile file;
    // The group lines go to; a repeated group adds to the first of its name.
    std::optional<std::size_t> current;
    bool skippingGroup = false;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = withoutLeadingSpace(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto name = groupName(line);
            if (!name) {
                if (!lenient)
                    return std::nullopt;
                skippingGroup = true;
                continue;
            }
            skippingGroup = false;
            const auto known = std::ranges::find(file, *name, &KeyFileGroup::name);
            current = static_cast<std::size_t>(known - file.begin());
            if (known == file.end())
                file.push_back({.name = std::string(*name), .values = {}});
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos
                                         ? std::string_view()
                                         : withoutTrailingSpace(line.substr(0, equals));
        if (!current || equals == std::string_view::npos || !isValidKey(key)) {
            if (!lenient)
                return std::nullopt;
            continue;
        }
        if (skippingGroup)
            continue;
        // Blanks after the value are kept, and the last of repeated keys counts, as with GLib.
        file[*current].values.insert_or_assign(
            std::string(key), std::string(withoutLeadingSpace(line.substr(equals + 1))));
    }
    return file;
}

std::string unescapeKeyFileValue(std::string_view raw) {
    std::string value;
    value.reserve(raw.size());
    for (std::size_t index = 0; index < raw.size(); ++index) {
        if (raw[index] != '\\') {
            value += raw[index];
            continue;
        }
        if (index + 1 == raw.size())
            break; // a lone backslash at the end escapes nothing
        switch (raw[++index]) {
        case 's':
            value += ' ';
            break;
        case 'n':
            value += '\n';
            break;
        case 't':
            value += '\t';
            break;
        case 'r':
            value += '\r';
            break;
        case '\\':
            value += '\\';
            break;
        default: // unknown escapes are kept as written
            value += '\\';
            value += raw[index];
        }
    }
    return value;
}

std::vector<std::string> keyFileList(std::string_view raw) {
    std::vector<std::string> items;
    std::string current;
    for (std::size_t index = 0; index < raw.size(); ++index) {
        const char c = raw[index];
        if (c == '\\' && index + 1 < raw.size()) {
            // "\;" is a ';' inside an element; other escapes stay for unescaping.
            if (raw[index + 1] != ';')
                current += c;
            current += raw[++index];
        } else if (c == ';') {
            items.push_back(unescapeKeyFileValue(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        items.push_back(unescapeKeyFileValue(current));
    return items;
}

bool keyFileBoolean(const std::string* raw) {
    return raw != nullptr && (*raw == "true" || *raw == "1");
}

} // namespace orbitdeck
