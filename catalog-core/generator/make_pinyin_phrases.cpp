// Writes the table of words whose pinyin differs from reading them character by character, from
// a Rime dictionary and our own corrections. A word is kept only when the launcher, reading it
// longest word first with the table built so far, would otherwise read it wrongly, so the table
// holds a small share of the dictionary.
#include "catalog-core/generator/rime_dictionary.h"
#include "catalog-core/generator/word_table_writer.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using Table = std::unordered_map<std::string, std::string>;

std::vector<std::string> characters(const std::string& word) {
    std::vector<std::string> result;
    for (int32_t offset = 0; offset < static_cast<int32_t>(word.size());) {
        const int32_t start = offset;
        UChar32 c = 0;
        U8_NEXT(word.data(), offset, static_cast<int32_t>(word.size()), c);
        if (c < 0)
            return {};
        result.push_back(word.substr(start, offset - start));
    }
    return result;
}

bool allHan(const std::string& word) {
    for (int32_t offset = 0; offset < static_cast<int32_t>(word.size());) {
        UChar32 c = 0;
        U8_NEXT(word.data(), offset, static_cast<int32_t>(word.size()), c);
        UErrorCode status = U_ZERO_ERROR;
        if (c < 0x2E80 || uscript_getScript(c, &status) != USCRIPT_HAN)
            return false;
    }
    return true;
}

// The launcher's per-character reading without tones, as it reads after folding.
class CharacterReadings {
public:
    CharacterReadings() {
        UErrorCode status = U_ZERO_ERROR;
        transliterator_.reset(icu::Transliterator::createInstance(
            "Han-Latin; NFD; [:Nonspacing Mark:] Remove; Lower; NFC", UTRANS_FORWARD, status));
        if (U_FAILURE(status))
            transliterator_.reset();
    }
    bool valid() const { return transliterator_ != nullptr; }

    const std::string& read(const std::string& character) {
        auto found = cache_.find(character);
        if (found != cache_.end())
            return found->second;
        icu::UnicodeString text = icu::UnicodeString::fromUTF8(character);
        transliterator_->transliterate(text);
        std::string reading;
        text.trim().toUTF8String(reading);
        return cache_.emplace(character, std::move(reading)).first->second;
    }

private:
    std::unique_ptr<icu::Transliterator> transliterator_;
    Table cache_;
};

// The launcher's reading of a run of Han characters: longest table word first, else the
// character on its own (a table entry of one character overrides ICU).
std::string segment(const std::vector<std::string>& chars, const Table& table, std::size_t longest,
                    CharacterReadings& defaults) {
    std::string reading;
    for (std::size_t index = 0; index < chars.size();) {
        std::size_t count = std::min(chars.size() - index, longest);
        for (; count > 0; --count) {
            std::string phrase;
            for (std::size_t k = 0; k < count; ++k)
                phrase += chars[index + k];
            const auto found = table.find(phrase);
            if (found != table.end() || count == 1) {
                if (!reading.empty())
                    reading.push_back(' ');
                reading += found != table.end() ? found->second : defaults.read(phrase);
                break;
            }
        }
        index += std::max<std::size_t>(count, 1);
    }
    return reading;
}

// "word<TAB>syllables<TAB># why"; blank and comment lines are skipped.
bool readCorrections(const std::string& path, Table& table) {
    std::ifstream in(path);
    if (!in)
        return false;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = orbitdeck::rime::splitTabs(line);
        const auto syllables =
            fields.size() >= 2 ? orbitdeck::rime::normalizedSyllables(fields[1]) : std::nullopt;
        if (!syllables || fields.size() < 3 || fields[2].rfind("# ", 0) != 0) {
            std::fprintf(stderr, "%s:%d: expected word, syllables and a # comment\n", path.c_str(),
                         number);
            return false;
        }
        table[std::string(fields[0])] = *syllables;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_pinyin_phrases OUTPUT.cpp DICTIONARY.dict.yaml "
                             "CORRECTIONS.txt\n");
        return 2;
    }
    const auto dictionary = orbitdeck::rime::readDictionary(argv[2]);
    if (!dictionary) {
        std::fprintf(stderr, "make_pinyin_phrases: cannot read %s\n", argv[2]);
        return 1;
    }
    Table table;
    if (!readCorrections(argv[3], table))
        return 1;
    CharacterReadings defaults;
    if (!defaults.valid()) {
        std::fprintf(stderr, "make_pinyin_phrases: no Han-Latin transliterator\n");
        return 1;
    }
    std::size_t longest = 1;
    for (const auto& [phrase, syllables] : table)
        longest = std::max(longest, characters(phrase).size());

    // Shorter words first: a word is only read through shorter ones, never through one as long.
    std::map<std::size_t, std::vector<std::pair<std::vector<std::string>, std::string>>> byLength;
    for (const auto& [word, readings] : *dictionary) {
        auto chars = characters(word);
        const std::string& syllables = orbitdeck::rime::usualReading(readings).syllables;
        const auto syllableCount =
            static_cast<std::size_t>(std::count(syllables.begin(), syllables.end(), ' ') + 1);
        if (chars.size() < 2 || syllableCount != chars.size() || !allHan(word) ||
            table.contains(word))
            continue;
        byLength[chars.size()].emplace_back(std::move(chars), syllables);
    }
    std::map<std::string, std::string> kept(table.begin(), table.end());
    for (const auto& [length, words] : byLength) {
        std::vector<std::pair<std::string, std::string>> added;
        for (const auto& [chars, syllables] : words)
            if (segment(chars, table, longest, defaults) != syllables) {
                std::string word;
                for (const auto& c : chars)
                    word += c;
                added.emplace_back(std::move(word), syllables);
            }
        for (auto& [word, syllables] : added) {
            kept[word] = syllables;
            table.emplace(std::move(word), std::move(syllables));
            longest = std::max(longest, length);
        }
    }
    if (!orbitdeck::generator::writeWordTable(argv[1], "make_pinyin_phrases", "pinyinPhrases", kept,
                                              longest)) {
        std::fprintf(stderr, "make_pinyin_phrases: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
