// Writes the table of traditional characters and words with their simplified form, from the
// dictionaries OpenCC's t2s conversion uses: its phrases, then its characters (the first, usual
// form of each). Characters that stay as they are are left out.
#include "catalog-core/generator/word_table_writer.h"

#include <opencc/Exception.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MarisaDict.hpp>

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (std::int32_t offset = 0; offset < static_cast<std::int32_t>(text.size()); ++count)
        U8_FWD_1(reinterpret_cast<const std::uint8_t*>(text.data()), offset,
                 static_cast<std::int32_t>(text.size()));
    return count;
}

// Adds the dictionary's entries that are not in entries yet; false when it cannot be read.
bool addDictionary(const std::string& path, std::map<std::string, std::string>& entries,
                   std::size_t& longest) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    opencc::MarisaDictPtr dictionary;
    try {
        dictionary = opencc::MarisaDict::NewFromFile(file);
    } catch (const opencc::Exception& error) {
        std::fprintf(stderr, "make_traditional_table: %s: %s\n", path.c_str(), error.what());
    }
    std::fclose(file);
    if (!dictionary)
        return false;
    for (const auto& entry : *dictionary->GetLexicon()) {
        const std::string word = entry->Key();
        const std::string simplified = entry->GetDefault();
        const std::size_t characters = characterCount(word);
        // Readings are looked up character for character: a form of another length is no use.
        if (characters != characterCount(simplified) || (characters == 1 && word == simplified))
            continue;
        if (entries.emplace(word, simplified).second)
            longest = std::max(longest, characters);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_traditional_table OUTPUT.cpp OPENCC_DATA_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[2];
    std::map<std::string, std::string> entries;
    std::size_t longest = 1;
    // Phrases first: they win over their characters, as in OpenCC's t2s.
    for (const char* name : {"TSPhrases.ocd2", "TSCharacters.ocd2"}) {
        if (!addDictionary(folder + "/" + name, entries, longest)) {
            std::fprintf(stderr, "make_traditional_table: cannot read %s/%s\n", folder.c_str(),
                         name);
            return 1;
        }
    }
    if (!orbitdeck::generator::writeWordTable(argv[1], "make_traditional_table",
                                              "traditionalToSimplified", entries, longest)) {
        std::fprintf(stderr, "make_traditional_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
