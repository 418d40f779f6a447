#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/bundle_localization.h"
#include "catalog-core/search_index.h"
#include "catalog-core/strings_file.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include <string>
#include <vector>

namespace orbitdeck {
namespace {

using testing::FixtureBundle;
using testing::makeBundle;
using testing::TemporaryFolder;
using testing::writeFile;

// UTF-16 little-endian with a byte-order mark, as Xcode writes InfoPlist.strings.
std::string utf16(const std::string& text) {
    const auto units = icu::UnicodeString::fromUTF8(text);
    std::string bytes = "\xff\xfe";
    for (int32_t i = 0; i < units.length(); ++i) {
        bytes.push_back(static_cast<char>(units.charAt(i) & 0xff));
        bytes.push_back(static_cast<char>(units.charAt(i) >> 8));
    }
    return bytes;
}

void writeStrings(const std::filesystem::path& bundle, const std::string& localization,
                  const std::string& bytes) {
    writeFile(bundle / "Contents" / "Resources" / (localization + ".lproj") / "InfoPlist.strings",
              bytes);
}

// Calculator: simplified Chinese (UTF-16) gives a display name, German (UTF-8) only a bundle
// name, Base a name nobody should see; a broken French file serves nothing.
std::filesystem::path makeCalculator(const std::filesystem::path& root) {
    const auto bundle = makeBundle(root / "Calculator.app",
                                   {.identifier = "com.example.calculator", .name = "Calculator"});
    writeStrings(bundle, "zh-Hans",
                 utf16("/* 中文 */\n\"CFBundleDisplayName\" = \"计算器\";\n"
                       "\"NSHumanReadableCopyright\" = \"©\";\n"));
    writeStrings(bundle, "de", "\xef\xbb\xbf\"CFBundleName\" = \"Rechner\";\n");
    writeStrings(bundle, "Base", "\"CFBundleName\" = \"Base name\";\n");
    writeStrings(bundle, "fr", "\"CFBundleName\" = ;\n");
    return bundle;
}

std::string nameFor(const std::filesystem::path& bundle,
                    const std::vector<std::string>& languages) {
    const auto descriptor = describeBundle(bundle, languages);
    return descriptor ? descriptor->displayName() : "(none)";
}

TEST(CatalogLocalizedNames, NamesFollowTheFirstLanguageTheBundleServes) {
    TemporaryFolder home;
    const auto bundle = makeCalculator(home / "Applications");
    EXPECT_EQ(bundleLocalizations(bundle), (std::vector<std::string>{"de", "fr", "zh-Hans"}));

    EXPECT_EQ(nameFor(bundle, {"zh-Hans"}), "计算器");
    // Chinese regions imply their script; a traditional reader still gets Chinese.
    EXPECT_EQ(nameFor(bundle, {"zh-CN"}), "计算器");
    EXPECT_EQ(nameFor(bundle, {"zh-TW"}), "计算器");
    EXPECT_EQ(nameFor(bundle, {"de-AT"}), "Rechner");
    // The first preference any localisation serves wins.
    EXPECT_EQ(nameFor(bundle, {"sv", "de", "zh-Hans"}), "Rechner");
    // No fitting localisation, no languages, Base or a damaged file: the Info.plist's name.
    EXPECT_EQ(nameFor(bundle, {"ja"}), "Calculator");
    EXPECT_EQ(nameFor(bundle, {}), "Calculator");
    EXPECT_EQ(nameFor(bundle, {"Base"}), "Calculator");
    EXPECT_EQ(nameFor(bundle, {"fr"}), "Calculator");
}

TEST(CatalogLocalizedNames, EachKeyFallsBackToTheInfoPlistOnItsOwn) {
    TemporaryFolder home;
    const auto bundle = makeBundle(
        home / "Notes.app",
        {.identifier = "com.example.notes", .displayName = "Notes Display", .name = "Notes"});
    // A localised bundle name does not hide the base display name, which comes first.
    writeStrings(bundle, "de", "\"CFBundleName\" = \"Notizen\";");
    EXPECT_EQ(nameFor(bundle, {"de"}), "Notes Display");
    // An empty localised display name is taken as it is.
    writeStrings(bundle, "it", "\"CFBundleDisplayName\" = \"\";");
    EXPECT_EQ(nameFor(bundle, {"it"}), "");
    // A file too large to be real is not read.
    writeStrings(bundle, "es",
                 "\"CFBundleDisplayName\" = \"Notas\";" +
                     std::string(maxInfoPlistStringsBytes, ' '));
    EXPECT_EQ(nameFor(bundle, {"es"}), "Notes Display");
    // A bundle without resources has no localisations.
    const auto plain = makeBundle(home / "Plain.app", {.name = "Plain"});
    EXPECT_TRUE(bundleLocalizations(plain).empty());
    EXPECT_EQ(nameFor(plain, {"de"}), "Plain");
}

TEST(CatalogLocalizedNames, TheCatalogNamesAndTheIndexFindsByLanguage) {
    TemporaryFolder home;
    makeCalculator(home / "Applications");
    const auto chinese =
        ApplicationDirectoryCatalog({home / "Applications"}, {"zh-Hans-CN"}).applications();
    ASSERT_EQ(chinese.size(), 1U);
    EXPECT_EQ(chinese[0].displayName(), "计算器");
    EXPECT_EQ(chinese[0].id(), "bundle:com.example.calculator");
    const AppSearchIndex chineseIndex(chinese);
    ASSERT_EQ(chineseIndex.search("jsq", {}).size(), 1U);
    EXPECT_EQ(chineseIndex.search("jisuan", {})[0].reason(), SearchResult::Reason::prefix);

    const auto german =
        ApplicationDirectoryCatalog({home / "Applications"}, {"de-DE"}).applications();
    ASSERT_EQ(german.size(), 1U);
    EXPECT_EQ(german[0].displayName(), "Rechner");
    const AppSearchIndex germanIndex(german);
    EXPECT_EQ(germanIndex.search("rech", {}).size(), 1U);
    EXPECT_TRUE(germanIndex.search("jsq", {}).empty());
}

TEST(CatalogLocalizedNames, StringsFilesInEitherEncoding) {
    const auto parsed = parseStrings(utf16("\"a\" = \"é中😀\";\n\"a\" = \"again\";"));
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.entries.front().second, "é中😀");
    EXPECT_EQ(parsed.value("a"), "again") << "the last of a repeated key counts";
    EXPECT_EQ(parsed.duplicateKeys, std::vector<std::string>{"a"});
    EXPECT_FALSE(parsed.value("b"));
    std::string bigEndian = "\xfe\xff";
    for (const char c : std::string("\"k\" = \"v\";"))
        bigEndian += std::string{'\0', c};
    EXPECT_EQ(parseStrings(bigEndian).value("k"), "v");
    // A damaged file keeps what came before the damage, with the line it stopped at.
    const auto partial = parseStrings("\"ok\" = \"fine\";\n\"bad\" = ;");
    ASSERT_TRUE(partial.error);
    EXPECT_EQ(partial.error->line, 2);
    EXPECT_EQ(partial.value("ok"), "fine");
}

} // namespace
} // namespace orbitdeck
