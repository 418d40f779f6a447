#include "catalog-core/search_index.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace orbitdeck {
namespace {

using Reason = SearchResult::Reason;
using namespace std::chrono_literals;

AppDescriptor app(const std::string& name, std::string bundleFile = {}) {
    if (bundleFile.empty()) {
        bundleFile = name;
    }
    return AppDescriptor(name, "com.example." + std::to_string(std::hash<std::string>{}(name)),
                         "/Applications/" + bundleFile + ".app");
}

// Hits as (display name, reason), in order.
std::vector<std::pair<std::string, Reason>>
hits(const AppSearchIndex& index, std::string_view query, const AppDates& recentUse = {}) {
    std::vector<std::pair<std::string, Reason>> result;
    for (const auto& hit : index.search(query, recentUse)) {
        result.emplace_back(hit.app().displayName(), hit.reason());
    }
    return result;
}

using Hits = std::vector<std::pair<std::string, Reason>>;

TEST(SearchIndex, WorkedExamples) {
    {
        const AppSearchIndex index(
            {app("Decoder"), app("Source Code"), app("Code Runner"), app("Code")});
        EXPECT_EQ(hits(index, "  Code  "), (Hits{{"Code", Reason::exact},
                                                 {"Code Runner", Reason::prefix},
                                                 {"Source Code", Reason::token}}));
    }
    {
        const AppSearchIndex index({app("Café Menu")});
        EXPECT_EQ(hits(index, "CAFE"), (Hits{{"Café Menu", Reason::prefix}}));
    }
    {
        const AppSearchIndex index({app("Code Runner"), app("Card Reader")});
        EXPECT_EQ(hits(index, "c r"),
                  (Hits{{"Card Reader", Reason::token}, {"Code Runner", Reason::token}}));
        EXPECT_EQ(hits(index, "code-runner"), (Hits{{"Code Runner", Reason::token}}));
    }
    {
        const AppSearchIndex index({app("计算器", "Calculator")});
        EXPECT_EQ(hits(index, "jsq"), (Hits{{"计算器", Reason::prefix}}));
        EXPECT_EQ(hits(index, "jisu"), (Hits{{"计算器", Reason::prefix}}));
        EXPECT_EQ(hits(index, "suan"), (Hits{{"计算器", Reason::token}}));
        EXPECT_EQ(hits(index, "qi"), Hits{});
        EXPECT_EQ(hits(index, "ji suan"), (Hits{{"计算器", Reason::prefix}}));
    }
}

TEST(SearchIndex, RecentUseOrdersEqualReasonsOnly) {
    const AppSearchIndex index(
        {app("Source Code"), app("Code Runner"), app("Code Reader"), app("Code"), app("Codex")});
    const auto now = std::chrono::system_clock::now();
    const auto id = [&](const std::string& name) { return app(name).id(); };
    {
        // Opened yesterday, but a token hit stays behind every prefix hit.
        const AppDates recent{{id("Source Code"), now - 24h}};
        EXPECT_EQ(hits(index, "code", recent), (Hits{{"Code", Reason::exact},
                                                     {"Code Reader", Reason::prefix},
                                                     {"Code Runner", Reason::prefix},
                                                     {"Codex", Reason::prefix},
                                                     {"Source Code", Reason::token}}));
    }
    {
        // Opened ones first, later first; the others keep index order.
        const AppDates recent{{id("Codex"), now - 1h}, {id("Code Runner"), now - 2h}};
        EXPECT_EQ(hits(index, "code", recent), (Hits{{"Code", Reason::exact},
                                                     {"Codex", Reason::prefix},
                                                     {"Code Runner", Reason::prefix},
                                                     {"Code Reader", Reason::prefix},
                                                     {"Source Code", Reason::token}}));
    }
    {
        // Equal dates keep index order.
        const AppDates recent{{id("Codex"), now}, {id("Code Reader"), now}};
        EXPECT_EQ(hits(index, "co r", recent),
                  (Hits{{"Code Reader", Reason::token}, {"Code Runner", Reason::token}}));
        EXPECT_EQ(hits(index, "cod", recent), (Hits{{"Code Reader", Reason::prefix},
                                                    {"Codex", Reason::prefix},
                                                    {"Code", Reason::prefix},
                                                    {"Code Runner", Reason::prefix},
                                                    {"Source Code", Reason::token}}));
    }
}

TEST(SearchIndex, OneHitPerIdTheBestSorted) {
    const AppDescriptor older("Notes Classic", "com.example.notes", "/Applications/Old/Notes.app");
    const AppDescriptor newer("Notes", "Com.Example.Notes", "/Applications/Notes.app");
    const AppSearchIndex index({older, newer, older});
    const auto results = index.search("notes", {});
    ASSERT_EQ(results.size(), 1U);
    EXPECT_EQ(results[0].app(), newer);
    EXPECT_EQ(results[0].reason(), Reason::exact);
    // Same reason: the one first in index order (folded name) wins.
    const auto classic = index.search("cl", {});
    ASSERT_EQ(classic.size(), 1U);
    EXPECT_EQ(classic[0].app(), older);

    // Same name and id: the bundle's URL text decides, where a space is escaped as %20 and so
    // sorts after "!".
    const AppDescriptor spaced("Tool", "com.example.tool", "/Apps/A B/Tool.app");
    const AppDescriptor marked("Tool", "com.example.tool", "/Apps/A!B/Tool.app");
    const auto tool = AppSearchIndex({spaced, marked}).search("tool", {});
    ASSERT_EQ(tool.size(), 1U);
    EXPECT_EQ(tool[0].app(), marked);

    // Ids equal but for composition are one id.
    const AppDescriptor composed("Café", std::nullopt, "/Apps/Caf\u00E9.app");
    const AppDescriptor decomposed("Café", std::nullopt, "/Apps/Cafe\u0301.app");
    EXPECT_EQ(AppSearchIndex({composed, decomposed}).search("cafe", {}).size(), 1U);
}

TEST(SearchIndex, BlankQueriesAndBundleNames) {
    const AppSearchIndex index({app("Visual Studio Code", "VSCode"), app("Notes")});
    EXPECT_TRUE(index.search("", {}).empty());
    EXPECT_TRUE(index.search(" \t\n", {}).empty());
    EXPECT_TRUE(AppSearchIndex().search("code", {}).empty());
    // The bundle's file name: its start (rule 4) or its words (rule 5), always token.
    EXPECT_EQ(hits(index, "vsc"), (Hits{{"Visual Studio Code", Reason::token}}));
    // A one-character query is enough for a prefix.
    EXPECT_EQ(hits(index, "n"), (Hits{{"Notes", Reason::prefix}}));
    const AppSearchIndex words({app("Xcode", "Apple Developer Tools")});
    EXPECT_EQ(hits(words, "dev tools"), (Hits{{"Xcode", Reason::token}}));
    EXPECT_EQ(hits(words, "tools apple"), (Hits{{"Xcode", Reason::token}}));
}

TEST(SearchIndex, PinyinRulesNeedALatinQuery) {
    const AppSearchIndex index({app("QQ音乐", "QQMusic"), app("网易云音乐", "NeteaseMusic"),
                                app("カメラ", "Camera"), app("카카오톡", "KakaoTalk")});
    EXPECT_EQ(hits(index, "qyy"), (Hits{{"QQ音乐", Reason::prefix}}));
    EXPECT_EQ(hits(index, "QQ yin"), (Hits{{"QQ音乐", Reason::prefix}}));
    // Contained pinyin needs three characters.
    EXPECT_EQ(hits(index, "yinyue"),
              (Hits{{"QQ音乐", Reason::token}, {"网易云音乐", Reason::token}}));
    EXPECT_EQ(hits(index, "yu"), Hits{});
    // A hyphen or a Han character keeps a query off the pinyin.
    EXPECT_EQ(hits(index, "yin-yue"), Hits{});
    EXPECT_EQ(hits(index, "音乐"), Hits{});
    EXPECT_EQ(hits(index, "qq音"), (Hits{{"QQ音乐", Reason::prefix}}));
    EXPECT_EQ(hits(index, "网易"), (Hits{{"网易云音乐", Reason::prefix}}));
    // Kana and Hangul get no pinyin, only their own rules.
    EXPECT_EQ(hits(index, "カメ"), (Hits{{"カメラ", Reason::prefix}}));
    EXPECT_EQ(hits(index, "kakao"), (Hits{{"카카오톡", Reason::token}}));
}

TEST(SearchIndex, PolyphonesFindTheReadingUsersType) {
    // Read character by character, 建行 was jian xing: "jhsh" missed it and "xin" found it.
    const AppSearchIndex index(
        {app("建行生活", "CCBLife"), app("还呗", "Repay"), app("了不起", "Great")});
    EXPECT_EQ(hits(index, "jhsh"), (Hits{{"建行生活", Reason::prefix}}));
    EXPECT_EQ(hits(index, "jianhang"), (Hits{{"建行生活", Reason::prefix}}));
    EXPECT_EQ(hits(index, "hangsheng"), (Hits{{"建行生活", Reason::token}}));
    EXPECT_EQ(hits(index, "xin"), Hits{});
    EXPECT_EQ(hits(index, "huanbei"), (Hits{{"还呗", Reason::prefix}}));
    EXPECT_EQ(hits(index, "haibei"), Hits{});
    EXPECT_EQ(hits(index, "liaob"), (Hits{{"了不起", Reason::prefix}}));
}

TEST(SearchIndex, ReasonsFromRawValues) {
    EXPECT_EQ(SearchResult::reasonFromRawValue(1), Reason::token);
    EXPECT_EQ(SearchResult::reasonFromRawValue(2), Reason::prefix);
    EXPECT_EQ(SearchResult::reasonFromRawValue(3), Reason::exact);
    EXPECT_FALSE(SearchResult::reasonFromRawValue(0).has_value());
    EXPECT_FALSE(SearchResult::reasonFromRawValue(4).has_value());
}

} // namespace
} // namespace orbitdeck
