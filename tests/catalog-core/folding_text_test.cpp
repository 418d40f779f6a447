#include "catalog-core/text_folding.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(FoldingText, RemovesCaseAndDiacriticsAndKeepsOtherScripts) {
    EXPECT_EQ(foldText("Café Menu"), "cafe menu");
    EXPECT_EQ(foldText("CAFE"), "cafe");
    EXPECT_EQ(foldText("ÉCOLE"), "ecole");
    // Decomposed input folds like the composed form.
    EXPECT_EQ(foldText("Cafe\u0301"), "cafe");
    EXPECT_EQ(foldText("Straße"), "strasse");
    EXPECT_EQ(foldText("Ångström"), "angstrom");
    EXPECT_EQ(foldText("QQ音乐"), "qq音乐");
    EXPECT_EQ(foldText("한국어"), "한국어");
    EXPECT_EQ(foldText("ΣΟΦΙΑ"), "σοφια");
    EXPECT_EQ(foldText(""), "");
}

TEST(FoldingText, TokensSplitAtEverythingButLettersMarksAndNumbers) {
    EXPECT_EQ(tokenize("code-runner"), (std::vector<std::string>{"code", "runner"}));
    EXPECT_EQ(tokenize("  Visual   Studio Code! "),
              (std::vector<std::string>{"Visual", "Studio", "Code"}));
    EXPECT_EQ(tokenize("QQ音乐 Pro"), (std::vector<std::string>{"QQ音乐", "Pro"}));
    EXPECT_EQ(tokenize("1Password 8"), (std::vector<std::string>{"1Password", "8"}));
    EXPECT_EQ(tokenize("微信·WeChat"), (std::vector<std::string>{"微信", "WeChat"}));
    EXPECT_TRUE(tokenize(" - / ").empty());
    EXPECT_TRUE(tokenize("").empty());
}

TEST(FoldingText, TrimsWhiteSpaceAndLineBreaksOnly) {
    EXPECT_EQ(trimWhitespace("  Code \n"), "Code");
    EXPECT_EQ(trimWhitespace("\u3000音乐\u00A0"), "音乐");
    EXPECT_EQ(trimWhitespace(" \t\r\n"), "");
    EXPECT_EQ(trimWhitespace("-a b-"), "-a b-");
}

TEST(FoldingText, PrefixAndContainmentRespectWholeCharacters) {
    EXPECT_TRUE(hasCharacterPrefix("code runner", "code"));
    EXPECT_TRUE(hasCharacterPrefix("code", "code"));
    EXPECT_TRUE(hasCharacterPrefix("code", ""));
    EXPECT_FALSE(hasCharacterPrefix("cod", "code"));
    // A combining accent belongs to the character before it.
    EXPECT_FALSE(hasCharacterPrefix("cafe\u0301", "cafe"));
    EXPECT_TRUE(hasCharacterPrefix("qqyinyue", "qqyin"));

    EXPECT_TRUE(containsCharacters("jisuanqi", "suan"));
    EXPECT_FALSE(containsCharacters("jisuanqi", "suanji"));
    EXPECT_FALSE(containsCharacters("xcafe\u0301", "cafe"));
    EXPECT_TRUE(containsCharacters("xcafe\u0301 cafe", "cafe"));
}

} // namespace
} // namespace orbitdeck
