#include "catalog-core/generator/rime_dictionary.h"
#include "catalog-core/pinyin.h"
#include "catalog-core/pinyin_phrases.h"

#include <gtest/gtest.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck {
namespace {

std::vector<std::string> characters(const std::string& word) {
    std::vector<std::string> result;
    for (int32_t offset = 0; offset < static_cast<int32_t>(word.size());) {
        const int32_t start = offset;
        UChar32 c = 0;
        U8_NEXT(word.data(), offset, static_cast<int32_t>(word.size()), c);
        UErrorCode status = U_ZERO_ERROR;
        if (c < 0x3400 || c > 0x9FFF || uscript_getScript(c, &status) != USCRIPT_HAN)
            return {};
        result.push_back(word.substr(start, offset - start));
    }
    return result;
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

const rime::Dictionary& dictionary() {
    static const rime::Dictionary loaded =
        rime::readDictionary(ORBITDECK_PINYIN_DICTIONARY).value_or(rime::Dictionary{});
    return loaded;
}

// Words of two or more Han characters with at least one character the dictionary reads in more
// than one way, with their usual reading; every word the dictionary has, in its order.
std::vector<std::pair<std::string, std::string>> polyphonicWords() {
    std::set<std::string> polyphonic;
    for (const auto& [word, readings] : dictionary()) {
        std::set<std::string> distinct;
        for (const auto& reading : readings)
            distinct.insert(reading.syllables);
        if (characters(word).size() == 1 && distinct.size() > 1)
            polyphonic.insert(word);
    }
    std::vector<std::pair<std::string, std::string>> words;
    for (const auto& [word, readings] : dictionary()) {
        const auto chars = characters(word);
        const auto& syllables = rime::usualReading(readings).syllables;
        if (chars.size() < 2 || std::count(syllables.begin(), syllables.end(), ' ') + 1 !=
                                    static_cast<std::ptrdiff_t>(chars.size()))
            continue;
        if (std::any_of(chars.begin(), chars.end(),
                        [&](const std::string& c) { return polyphonic.contains(c); }))
            words.emplace_back(word, withoutSpaces(syllables));
    }
    return words;
}

TEST(PinyinDictionary, WordsWithPolyphonicCharactersReadAsTheDictionarySays) {
    ASSERT_FALSE(dictionary().empty()) << "cannot read " << ORBITDECK_PINYIN_DICTIONARY;
    const auto words = polyphonicWords();
    ASSERT_GE(words.size(), 2000U);
    std::size_t matching = 0;
    std::vector<std::string> wrong;
    for (const auto& [word, pinyin] : words) {
        const auto form = pinyinForm(word);
        if (form && form->pinyin == pinyin)
            ++matching;
        else if (wrong.size() < 20)
            wrong.push_back(word + " " + (form ? form->pinyin : "(none)") + " for " + pinyin);
    }
    const double rate = static_cast<double>(matching) / static_cast<double>(words.size());
    std::printf("%zu of %zu polyphonic words read as the dictionary says (%.2f %%)\n", matching,
                words.size(), 100.0 * rate);
    RecordProperty("matching", static_cast<int>(matching));
    RecordProperty("words", static_cast<int>(words.size()));
    for (const auto& line : wrong)
        std::printf("  %s\n", line.c_str());
    EXPECT_GE(rate, 0.99);
}

// Names are mostly several words in a row, where the longest-first reading may take a word that
// straddles two. Pairs of dictionary words show how often that misleads it.
TEST(PinyinDictionary, WordsInARowKeepTheirReadings) {
    const auto words = polyphonicWords();
    ASSERT_GE(words.size(), 2000U);
    std::size_t matching = 0;
    std::size_t pairs = 0;
    std::vector<std::string> wrong;
    for (std::size_t index = 0; index < words.size(); index += 3, ++pairs) {
        const auto& first = words[index];
        const auto& second = words[(index * 7919 + 17) % words.size()];
        const auto form = pinyinForm(first.first + second.first);
        if (form && form->pinyin == first.second + second.second)
            ++matching;
        else if (wrong.size() < 10)
            wrong.push_back(first.first + second.first + " " + (form ? form->pinyin : "(none)"));
    }
    const double rate = static_cast<double>(matching) / static_cast<double>(pairs);
    std::printf("%zu of %zu pairs of words read as the dictionary says (%.2f %%)\n", matching,
                pairs, 100.0 * rate);
    for (const auto& line : wrong)
        std::printf("  %s\n", line.c_str());
    EXPECT_GE(rate, 0.99);
}

TEST(PinyinDictionary, TableKeepsOnlyWhatCharactersReadWrongly) {
    const auto words = polyphonicWords();
    // Words the characters already read right stay out, so the table is a small share.
    EXPECT_GT(pinyinPhrases.size(), 100U);
    EXPECT_LT(pinyinPhrases.size() * 10, words.size());
    // Sorted by bytes, so a prefix finds every word that starts with it.
    for (std::size_t index = 1; index < pinyinPhrases.size(); ++index)
        ASSERT_LT(pinyinPhrases.word(index - 1), pinyinPhrases.word(index));
    const auto bank = pinyinPhrases.startingWith("银行");
    ASSERT_FALSE(bank.empty());
    for (std::size_t index = bank.first; index < bank.last; ++index)
        EXPECT_TRUE(pinyinPhrases.word(index).starts_with("银行"));
    EXPECT_EQ(pinyinPhrases.find("银行", bank), "yin hang");
    EXPECT_FALSE(pinyinPhrases.find("银", bank).has_value());
    EXPECT_TRUE(pinyinPhrases.startingWith("\xff").empty());
    // A word the characters read right is not listed, yet reads right.
    EXPECT_FALSE(pinyinPhrases.find("生活").has_value());
    EXPECT_EQ(pinyinForm("生活")->pinyin, "shenghuo");
}

} // namespace
} // namespace orbitdeck
