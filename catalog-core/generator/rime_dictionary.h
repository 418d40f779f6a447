#pragma once

// Reads the words of a Rime dictionary (".dict.yaml": a YAML header closed by "...", then one
// "word<TAB>syllables[<TAB>weight]" line per reading). Header-only so the table generator and
// the tests that check the table against the dictionary read it the same way.

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck::rime {

struct Reading {
    std::string syllables; // toneless, separated by single spaces, ü written u
    double weight = 0;
};

// Every reading a word is given, in file order.
using Dictionary = std::map<std::string, std::vector<Reading>>;

inline std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

// Weights are counts ("4221") or shares ("98.90%"); a missing or odd one counts as zero.
inline double parseWeight(std::string_view text) {
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

// Lower-case ASCII syllables separated by one space; the dictionary's "v" for ü becomes "u", as
// folding a toned ǜ gives. None when anything else appears.
inline std::optional<std::string> normalizedSyllables(std::string_view text) {
    std::string syllables;
    bool atStart = true;
    for (const char c : text) {
        if (c == ' ') {
            if (atStart)
                return std::nullopt;
            syllables.push_back(' ');
            atStart = true;
        } else if (c >= 'a' && c <= 'z') {
            syllables.push_back(c == 'v' ? 'u' : c);
            atStart = false;
        } else {
            return std::nullopt;
        }
    }
    if (atStart)
        return std::nullopt;
    return syllables;
}

// None when the file cannot be read; lines that do not fit the format are skipped.
inline std::optional<Dictionary> readDictionary(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    Dictionary dictionary;
    std::string line;
    bool inBody = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!inBody) {
            inBody = line == "...";
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = splitTabs(line);
        if (fields.size() < 2 || fields[0].empty())
            continue;
        auto syllables = normalizedSyllables(fields[1]);
        if (!syllables)
            continue;
        dictionary[std::string(fields[0])].push_back(
            {.syllables = std::move(*syllables),
             .weight = fields.size() > 2 ? parseWeight(fields[2]) : 0});
    }
    return dictionary;
}

// The reading most often meant: the highest weight, the earlier line on a tie.
inline const Reading& usualReading(const std::vector<Reading>& readings) {
    const Reading* best = &readings.front();
    for (const auto& reading : readings)
        if (reading.weight > best->weight)
            best = &reading;
    return *best;
}

} // namespace orbitdeck::rime
