#include "platform/defaults_store.h"
#include "window/localization.h"
#include "window/localization_bridge.h"
#include "window/localization_matching.h"
#include "window/localization_strings_file.h"
#include "window/localization_tables.h"

#include "fixture_tables.h"
#include "support/fifo_trap.h"
#include "support/temp_config_home.h"

#include <gtest/gtest.h>

using namespace orbitdeck;

namespace {

const QStringList elevenLocalizations{"de", "en",    "es", "fr",      "it",     "ja",
                                      "ko", "pt-BR", "ru", "zh-Hans", "zh-Hant"};

QString choose(const QStringList& preferences, const QStringList& available = elevenLocalizations) {
    return preferredLocalization(available, preferences).value_or("none");
}

class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::map<const char*, const char*> values) {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            if (const char* old = std::getenv(name))
                saved_[name] = old;
            ::unsetenv(name);
        }
        for (const auto& [name, value] : values)
            ::setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            ::unsetenv(name);
            if (saved_.contains(name))
                ::setenv(name, saved_[name].c_str(), 1);
        }
    }

private:
    std::map<std::string, std::string> saved_;
};

} // namespace

TEST(Localization, ChoosesTheTableForPreferredLanguages) {
    EXPECT_EQ(choose({"fr-CA"}), "fr");
    EXPECT_EQ(choose({"zh-TW"}), "zh-Hant");
    EXPECT_EQ(choose({"zh-HK"}), "zh-Hant");
    EXPECT_EQ(choose({"zh_MO"}), "zh-Hant");
    EXPECT_EQ(choose({"zh-CN"}), "zh-Hans");
    EXPECT_EQ(choose({"zh-SG"}), "zh-Hans");
    EXPECT_EQ(choose({"zh"}), "zh-Hans");
    EXPECT_EQ(choose({"zh-Hant-HK"}), "zh-Hant");
    EXPECT_EQ(choose({"pt-PT"}), "pt-BR");
    EXPECT_EQ(choose({"PT_br"}), "pt-BR");
    EXPECT_EQ(choose({"en-GB"}), "en");
    EXPECT_EQ(choose({"xx-YY"}), "none");
    EXPECT_EQ(choose({}), "none");
    // The first preference that any table serves wins, in the user's order.
    EXPECT_EQ(choose({"sv-SE", "de-AT", "fr"}), "de");
    // An exact tag beats an earlier candidate of the same language.
    EXPECT_EQ(choose({"pt-PT"}, {"pt-BR", "pt-PT"}), "pt-PT");
    // Traditional Chinese readers get simplified rather than English when only that exists.
    EXPECT_EQ(choose({"zh-TW"}, {"en", "zh-Hans"}), "zh-Hans");

    EXPECT_EQ(languageTagFromPosixLocale("fr_CA.UTF-8"), "fr-CA");
    EXPECT_EQ(languageTagFromPosixLocale("sr_RS.UTF-8@latin"), "sr-RS");
    EXPECT_EQ(languageTagFromPosixLocale("C.UTF-8"), "");
    EXPECT_EQ(languageTagFromPosixLocale("POSIX"), "");
}

TEST(Localization, ReadsPreferredLanguagesFromTheEnvironment) {
    {
        ScopedEnvironment env({{"LANGUAGE", "zh_TW:fr::de"}, {"LANG", "en_US.UTF-8"}});
        EXPECT_EQ(toQStringList(preferredLanguagesFromEnvironment()),
                  (QStringList{"zh-TW", "fr", "de", "en-US"}));
    }
    {
        ScopedEnvironment env(
            {{"LC_ALL", "pt_PT.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "ja_JP"}});
        EXPECT_EQ(toQStringList(preferredLanguagesFromEnvironment()), QStringList{"pt-PT"});
    }
    {
        ScopedEnvironment env({{"LC_MESSAGES", "ko_KR.UTF-8"}, {"LANG", "ja_JP"}});
        EXPECT_EQ(toQStringList(preferredLanguagesFromEnvironment()), QStringList{"ko-KR"});
    }
    {
        // Under the C locale gettext ignores LANGUAGE, and so do we.
        ScopedEnvironment env({{"LANGUAGE", "fr"}, {"LANG", "C.UTF-8"}});
        EXPECT_TRUE(preferredLanguagesFromEnvironment().empty());
    }
}

TEST(Localization, LooksUpKeysAndFallsBackToTheKey) {
    const FixtureTables fixture({
        {"en", R"("Done" = "Done";)"},
        {"fr", "/* Réglages */\n\"Done\" = \"OK\";\n\"Follow macOS\" = \"Suivre le système\";"},
        {"de", R"("Done" = "Fertig";)"},
        {"Base", R"("Done" = "Base";)"},
    });
    const StringTables tables(fixture.path());
    EXPECT_EQ(tables.localizations(), (QStringList{"de", "en", "fr"}));

    const Localizer french(tables, {"fr-CA", "de"});
    EXPECT_EQ(french.lprojName(LibraryLanguage::system), "fr");
    EXPECT_EQ(french.lprojName(LibraryLanguage::german), "de");
    EXPECT_EQ(french.lprojName(LibraryLanguage::japanese), "en") << "no ja table: English";
    EXPECT_EQ(french.localized("Done", LibraryLanguage::system), "OK");
    EXPECT_EQ(french.localized("Done", LibraryLanguage::german), "Fertig");
    EXPECT_EQ(french.localized("Done", LibraryLanguage::japanese), "Done");
    EXPECT_EQ(french.localized("Not in any table", LibraryLanguage::german), "Not in any table");

    // The system entry's title follows the system's languages, whatever is chosen.
    EXPECT_EQ(displayName(LibraryLanguage::system, french), "Suivre le système");
    EXPECT_EQ(displayName(LibraryLanguage::russian, french), "Русский");
    EXPECT_EQ(localeIdentifier(LibraryLanguage::portuguese), "pt-BR");
    EXPECT_EQ(localeIdentifier(LibraryLanguage::system), std::nullopt);

    const Localizer unknown(tables, {"xx"});
    EXPECT_EQ(unknown.lprojName(LibraryLanguage::system), "en");
    const FixtureTables baseFixture(std::map<QString, QByteArray>{{"Base", ""}});
    const StringTables onlyBase(baseFixture.path());
    EXPECT_EQ(Localizer(onlyBase, {"fr"}).lprojName(LibraryLanguage::french), "en");
    const StringTables none("");
    EXPECT_EQ(Localizer(none, {"fr"}).localized("Done", LibraryLanguage::french), "Done");
}

// The program's own tables come with it, whichever folder it runs from; the environment
// still points it at other tables.
TEST(Localization, FindsTheBuiltInTablesFromAnyFolder) {
    const char* saved = std::getenv("ORBITDECK_RESOURCES_DIR");
    const std::string restore = saved ? saved : "";
    ::unsetenv("ORBITDECK_RESOURCES_DIR");
    const StringTables builtIn(findResourcesDir());
    EXPECT_TRUE(builtIn.localizations().contains("zh-Hant"));
    EXPECT_EQ(builtIn.localizations().size(), 11);
    EXPECT_EQ(builtIn.lookup("de", "Settings…").value_or("missing"), "Einstellungen …");

    const FixtureTables fixture(std::map<QString, QByteArray>{{"en", R"("Done" = "Done";)"}});
    ::setenv("ORBITDECK_RESOURCES_DIR", fixture.path().toLocal8Bit().constData(), 1);
    EXPECT_EQ(findResourcesDir(), fixture.path());
    ::setenv("ORBITDECK_RESOURCES_DIR", "/nonexistent/orbitdeck-tables", 1);
    EXPECT_EQ(findResourcesDir(), QString()) << "a wrong override is not silently replaced";
    if (saved)
        ::setenv("ORBITDECK_RESOURCES_DIR", restore.c_str(), 1);
    else
        ::unsetenv("ORBITDECK_RESOURCES_DIR");
}

TEST(Localization, ATableThatIsAFifoReadsAsEmpty) {
    const FixtureTables fixture(std::map<QString, QByteArray>{{"en", R"("Done" = "Done";)"}});
    const QString fifo = StringTables::tablePath(fixture.path(), "fr");
    FifoTrap trap(fifo.toStdString());
    ASSERT_TRUE(trap.made());
    const StringTables tables(fixture.path());
    EXPECT_EQ(tables.lookup("fr", "Done"), std::nullopt);
    EXPECT_FALSE(trap.rescued()) << "the lookup waited for a writer";
    EXPECT_EQ(tables.lookup("en", "Done"), "Done");
}

TEST(Localization, FormatsByTypeAndPositionWithoutPrintf) {
    const FixtureTables fixture({
        {"en", ""},
        {"de", "\"“%@” hidden · %lld\" = \"%2$lld · „%1$@“ ausgeblendet\";\n"
               "\"Refreshed · %lld apps\" = \"Aktualisiert · %lld Apps\";\n"
               "\"%@ and %@\" = \"%s und %@\";\n"
               "\"100%% %@\" = \"%@ zu 100%%\";"},
    });
    const StringTables tables(fixture.path());
    const Localizer localizer(tables, {});
    const auto german = LibraryLanguage::german;

    EXPECT_EQ(localizer.localizedFormat("“%@” hidden · %lld", german, {QString("Mail"), 3}),
              "3 · „Mail“ ausgeblendet");
    EXPECT_EQ(localizer.localizedFormat("Refreshed · %lld apps", german, {qint64{42}}),
              "Aktualisiert · 42 Apps");
    EXPECT_EQ(localizer.localizedFormat("100%% %@", german, {QString("Safari")}), "Safari zu 100%");
    // A broken translation falls back to the English format; never a crash or garbage.
    EXPECT_EQ(localizer.localizedFormat("%@ and %@", german, {QString("A"), QString("B")}),
              "A and B");
    // Arguments of the wrong kind are never printed into an integer slot.
    EXPECT_EQ(localizer.localizedFormat("Refreshed · %lld apps", german, {QString("%n")}),
              "Aktualisiert · %lld Apps");
    EXPECT_EQ(localizer.localizedFormat("Missing key · %lld", german, {qint64{-5}}),
              "Missing key · -5");

    using K = PlaceholderKind;
    EXPECT_EQ(placeholderSignature("%2$lld %1$@"), (std::vector{K::text, K::integer}));
    EXPECT_EQ(placeholderSignature("%@ %d %ld %%"), (std::vector{K::text, K::integer, K::integer}));
    EXPECT_EQ(placeholderSignature("%1$@ %@"), std::nullopt) << "mixed forms";
    EXPECT_EQ(placeholderSignature("%1$@ %1$lld"), std::nullopt) << "one slot, two kinds";
    EXPECT_EQ(placeholderSignature("%2$@"), std::nullopt) << "a slot nobody fills";
    EXPECT_EQ(placeholderSignature("50%"), std::nullopt);
    EXPECT_EQ(placeholderSignature("%s"), std::nullopt);
}

TEST(StringsFile, ParsesTheFormatWithCommentsAndEscapes) {
    const StringsFile file =
        parseStringsFile("\xef\xbb\xbf/* header\n comment */\n"
                         "\"a\" = \"x \\\"quoted\\\" \\\\ back\";  // trailing\n"
                         "// line\n"
                         "\"multi\\nline\\ttab\" = \"\\U00e9\\u4e2d\\UD83D\\UDE00\";\n"
                         "bare_key = \"bare\";\n"
                         "\"same\";\n"
                         "\"a\" = /* inside */ \"again\";\n");
    ASSERT_FALSE(file.error) << file.error->message.toStdString();
    ASSERT_EQ(file.entries.size(), 5u);
    EXPECT_EQ(file.entries[0].second, "x \"quoted\" \\ back");
    EXPECT_EQ(file.entries[1].first, "multi\nline\ttab");
    EXPECT_EQ(file.entries[1].second, QString::fromUtf8("é中😀"));
    EXPECT_EQ(file.entries[2], (std::pair<QString, QString>{"bare_key", "bare"}));
    EXPECT_EQ(file.entries[3], (std::pair<QString, QString>{"same", "same"}));
    EXPECT_EQ(file.duplicateKeys, QStringList{"a"});

    QByteArray utf16("\xff\xfe", 2);
    for (const QChar c : QString(R"("k" = "v";)"))
        utf16.append(static_cast<char>(c.unicode() & 0xff)).append('\0');
    EXPECT_EQ(parseStringsFile(utf16).entries.size(), 1u);

    for (const char* broken : {"\"a\" = \"b\"", "\"a\" \"b\";", "\"a\" = \"b", "/* open",
                               "\"a\" = \"\\U12\";", "= \"b\";"}) {
        const StringsFile bad = parseStringsFile(broken);
        EXPECT_TRUE(bad.error) << broken;
    }
    const StringsFile partial = parseStringsFile("\"ok\" = \"fine\";\n\n\"bad\" = ;");
    ASSERT_TRUE(partial.error);
    EXPECT_EQ(partial.error->line, 3);
    EXPECT_EQ(partial.entries.size(), 1u) << "entries before an error still serve";
}

TEST(LocalizationBridge, BumpsTheRevisionWhenTheLanguageChanges) {
    TempConfigHome home;
    const FixtureTables fixture({{"en", ""}, {"de", R"("Done" = "Fertig";)"}});
    const StringTables tables(fixture.path());
    const Localizer localizer(tables, {"en"});
    auto store = DefaultsStore::openDomain("app");
    LocalizationBridge bridge(*store, localizer);

    EXPECT_EQ(bridge.t("Done", bridge.revision()), "Done");
    store->setValue("ambergrid.labels", false);
    EXPECT_EQ(bridge.revision(), 0) << "other settings leave texts alone";
    store->setValue("ambergrid.language", QString("german"));
    EXPECT_EQ(bridge.revision(), 1);
    EXPECT_EQ(bridge.localeName(), "de");
    EXPECT_EQ(bridge.t("Done", bridge.revision()), "Fertig");
    EXPECT_EQ(bridge.format("%@ · %lld", {QString("x"), 2.0}, 0), "x · 2");
}
