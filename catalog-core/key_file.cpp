#include "catalog-core/key_file.h"

#include "catalog-core/code_point_order.h"

#include <unordered_set>

namespace orbitdeck {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A key is a name (letters, digits and '-' by the format; other printable characters are met in
// vendors' keys and tolerated, so one odd key never costs the whole entry) with an optional
// "[locale]" suffix.
bool isValidKey(std::string_view key) {
    const auto bracket = key.find('[');
    const std::string_view base = key.substr(0, bracket);
    if (base.empty())
        return false;
    for (const char c : base) {
        if (static_cast<unsigned char>(c) <= ' ' || c == ']' || c == '=')
            return false;
    }
    if (bracket == std::string_view::npos)
        return true;
    return key.size() > bracket + 2 && key.back() == ']' &&
           key.find_first_of("[]", bracket + 1) == key.size() - 1;
}

} // namespace

std::optional<KeyFile> parseKeyFile(std::string_view text, bool lenient) {
    if (!isValidUtf8(text))
        return std::nullopt;
    KeyFile file;
    std::unordered_set<std::string> groupNames;
    bool skippingGroup = false;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const bool wellFormed = line.back() == ']' && line.size() > 2 &&
                                    line.find_first_of("[]", 1) == line.size() - 1;
            std::string name(line.substr(1, line.size() - 2));
            if (!wellFormed || !groupNames.insert(name).second) {
                if (!lenient)
                    return std::nullopt;
                skippingGroup = true;
                continue;
            }
            skippingGroup = false;
            file.push_back({.name = std::move(name), .values = {}});
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view() : trimmed(line.substr(0, equals));
        if (file.empty() || equals == std::string_view::npos || !isValidKey(key)) {
            if (!lenient)
                return std::nullopt;
            continue;
        }
        if (skippingGroup)
            continue;
        // The first of repeated keys counts, as other readers of the format do.
        file.back().values.try_emplace(std::string(key), trimmed(line.substr(equals + 1)));
    }
    return file;
}

std::string unescapeKeyFileValue(std::string_view raw) {
    std::string value;
    value.reserve(raw.size());
    for (std::size_t index = 0; index < raw.size(); ++index) {
        if (raw[index] != '\\' || index + 1 == raw.size()) {
            value += raw[index];
            continue;
        }
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
    return raw != nullptr && *raw == "true";
}

} // namespace orbitdeck
