#include "catalog-core/desktop_entry.h"
#include "catalog-core/key_file.h"
#include "catalog-core/scanned_desktop_entries.h"
#include "catalog-core/search_index.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace orbitdeck {
namespace {

using testing::ScopedVariable;
using testing::TemporaryFolder;
using testing::writeFile;

std::string entry(const std::string& name, const std::string& extra = "") {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=/bin/sh %U\n" + extra;
}

std::vector<std::string> names(const std::vector<AppDescriptor>& apps) {
    std::vector<std::string> result;
    for (const auto& app : apps)
        result.push_back(app.displayName());
    return result;
}

TEST(DesktopEntryKeyFile, ParsesGroupsValuesAndRejectsMalformedText) {
    const auto file = parseKeyFile("# comment\n\n[Desktop Entry]\nName = Files \nName[de]=Dateien\n"
                                   "[Desktop Action new]\nName=New\n");
    ASSERT_TRUE(file);
    ASSERT_EQ(file->size(), 2U);
    EXPECT_EQ(*file->front().find("Name"), "Files ") << "blanks after a value are kept";
    EXPECT_EQ(*file->front().find("Name[de]"), "Dateien");
    EXPECT_EQ(*(*file)[1].find("Name"), "New");

    EXPECT_FALSE(parseKeyFile("Name=Before any group\n[Desktop Entry]\n"));
    EXPECT_FALSE(parseKeyFile("[Desktop Entry]\njust words\n"));
    EXPECT_FALSE(parseKeyFile("[Desktop Entry\nName=x\n"));
    EXPECT_FALSE(parseKeyFile("[A]\nNa]me=x\n"));
    EXPECT_FALSE(parseKeyFile("[A]\nName[de=x\n"));
    EXPECT_FALSE(parseKeyFile("[A]\nName[d e]=x\n"));
    EXPECT_TRUE(parseKeyFile("[A]\nX-Vendor_Old.Name=x\nX Odd Key=y\n")) << "a vendor's odd key";
    // As GLib reads them: the last of repeated keys counts, a repeated group adds to the first.
    const auto repeated = parseKeyFile("[A]\nX=1\nX=2\n[B]\n[A]\nY=3\n");
    ASSERT_TRUE(repeated);
    ASSERT_EQ(repeated->size(), 2U);
    EXPECT_EQ(*repeated->front().find("X"), "2");
    EXPECT_EQ(*repeated->front().find("Y"), "3");
    // The lenient reading keeps what it can.
    const auto lenient = parseKeyFile("[A]\nstray\nKey=1\n", true);
    ASSERT_TRUE(lenient);
    EXPECT_EQ(*lenient->front().find("Key"), "1");
}

TEST(DesktopEntryKeyFile, UnescapesStringsAndSplitsLists) {
    EXPECT_EQ(unescapeKeyFileValue(R"(a\sb\nc\td\\e\qf)"), "a b\nc\td\\e\\qf");
    EXPECT_EQ(unescapeKeyFileValue("ends\\"), "ends");
    EXPECT_EQ(keyFileList("GNOME;GTK;"), (std::vector<std::string>{"GNOME", "GTK"}));
    EXPECT_EQ(keyFileList(R"(a\;b;c\\;d)"), (std::vector<std::string>{"a;b", "c\\", "d"}));
    EXPECT_TRUE(keyFileList("").empty());
}

TEST(DesktopEntryLocales, FollowTheMatchingOrderOfTheFormat) {
    EXPECT_EQ(localeVariants("sr_RS.UTF-8@latin"),
              (std::vector<std::string>{"sr_RS.UTF-8@latin", "sr_RS@latin", "sr.UTF-8@latin",
                                        "sr@latin", "sr_RS.UTF-8", "sr_RS", "sr.UTF-8", "sr"}));
    EXPECT_EQ(localeVariants("de_AT"), (std::vector<std::string>{"de_AT", "de"}));
    EXPECT_EQ(localeVariants("fr"), (std::vector<std::string>{"fr"}));
    EXPECT_TRUE(localeVariants("C.UTF-8").empty());
    EXPECT_TRUE(localeVariants("POSIX").empty());
    // LANGUAGE when set, else the first of LC_ALL, LC_MESSAGES and LANG that is set.
    EXPECT_EQ(userLocales("pt_BR:fr", nullptr, "", "de_DE.UTF-8"),
              (std::vector<std::string>{"pt_BR", "pt", "fr"}));
    EXPECT_EQ(userLocales(nullptr, "ja_JP", "de_DE", "fr_FR"),
              (std::vector<std::string>{"ja_JP", "ja"}));
    // Under the C locale LANGUAGE is ignored, as for the interface language.
    EXPECT_TRUE(userLocales("de", nullptr, nullptr, "C.UTF-8").empty());
    EXPECT_TRUE(userLocales("de", nullptr, nullptr, nullptr).empty());
}

TEST(DesktopEntryNames, ShowTheNameForTheUsersLanguage) {
    const std::string text = "[Desktop Entry]\nType=Application\nExec=files\nName=Files\n"
                             "Name[de]=Dateien\nName[zh_CN]=文件\nName[sr@latin]=Datoteke\n"
                             "Name[pt_BR]=Arquivos\n";
    const auto named = [&](std::vector<std::string> locales) {
        return parseDesktopEntry(text, locales)->name;
    };
    EXPECT_EQ(named(localeVariants("de_CH.UTF-8")), "Dateien");
    EXPECT_EQ(named(localeVariants("zh_CN.UTF-8")), "文件");
    EXPECT_EQ(named(localeVariants("sr_RS@latin")), "Datoteke");
    EXPECT_EQ(parseDesktopEntry(text + "Name[de_CH]=\xff\n", localeVariants("de_CH"))->name,
              "Dateien")
        << "a translation that is not UTF-8 is passed over";
    EXPECT_EQ(named(localeVariants("pt_PT")), "Files") << "pt_BR is no match for pt_PT";
    EXPECT_EQ(named(userLocales("fi:pt_BR", nullptr, nullptr, "de_DE")), "Arquivos");
    EXPECT_EQ(named({}), "Files");
}

TEST(DesktopEntryRules, DecideWhatIsShownMaskedOrIgnored) {
    TemporaryFolder bin;
    writeFile(bin / "present", "#!/bin/sh\n");
    ::chmod((bin / "present").c_str(), 0755);
    writeFile(bin / "not-executable", "data");
    DesktopEnvironment environment{
        .locales = {}, .currentDesktops = {"ubuntu", "GNOME"}, .searchPath = {bin.path()}};
    const auto verdict = [&](const std::string& text) {
        return judgeDesktopEntry(parseDesktopEntry(text, {}), environment);
    };
    using V = DesktopEntryVerdict;
    EXPECT_EQ(verdict(entry("Plain")), V::shown);
    EXPECT_EQ(verdict(entry("Hidden", "Hidden=true\n")), V::masked);
    EXPECT_EQ(verdict("[Desktop Entry]\nHidden=true\n"), V::masked) << "a deletion needs no Name";
    EXPECT_EQ(verdict(entry("NoDisplay", "NoDisplay=true\n")), V::masked);
    EXPECT_EQ(verdict(entry("NoDisplay false", "NoDisplay=false\n")), V::shown);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Link\nName=Web\nURL=http://x\n"), V::masked);
    EXPECT_EQ(verdict(entry("Only KDE", "OnlyShowIn=KDE;\n")), V::masked);
    EXPECT_EQ(verdict(entry("Only GNOME", "OnlyShowIn=KDE;GNOME;\n")), V::shown);
    EXPECT_EQ(verdict(entry("Not GNOME", "NotShowIn=GNOME;\n")), V::masked);
    EXPECT_EQ(verdict(entry("Not KDE", "NotShowIn=KDE;\n")), V::shown);
    // The first current desktop named decides.
    EXPECT_EQ(verdict(entry("Ubuntu first", "OnlyShowIn=ubuntu;\nNotShowIn=GNOME;\n")), V::shown);
    EXPECT_EQ(verdict(entry("TryExec found", "TryExec=present\n")), V::shown);
    EXPECT_EQ(verdict(entry("TryExec absolute", "TryExec=" + (bin / "present").string() + "\n")),
              V::shown);
    EXPECT_EQ(verdict(entry("TryExec missing", "TryExec=absent\n")), V::masked);
    EXPECT_EQ(verdict(entry("TryExec not executable", "TryExec=not-executable\n")), V::masked);
    EXPECT_EQ(verdict(entry("TryExec relative", "TryExec=sub/present\n")), V::masked);
    // The program of Exec has to be there too, split from its arguments as a shell would.
    const auto runs = [&](const std::string& exec) {
        return verdict("[Desktop Entry]\nType=Application\nName=X\nExec=" + exec + "\n");
    };
    EXPECT_EQ(runs("present --flag %U"), V::shown);
    EXPECT_EQ(runs("\"present\" \"a b\""), V::shown);
    EXPECT_EQ(runs("absent %U"), V::masked);
    EXPECT_EQ(runs((bin / "not-executable").string()), V::masked);
    EXPECT_EQ(runs("\"present --open-quote"), V::masked);
    EXPECT_EQ(verdict(entry("NoDisplay 1", "NoDisplay=1\n")), V::masked);
    EXPECT_EQ(verdict(entry("Hidden 1", "Hidden=1\n")), V::masked);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nName=\nExec=present\n"), V::shown)
        << "an empty Name still names it";
    // Broken entries count as if they were not there.
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nExec=x\n"), V::broken);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nName[de]=Nur\nExec=x\n"), V::broken);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nName=No exec\n"), V::broken);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nName=Bus\nDBusActivatable=true\n"),
              V::shown);
    EXPECT_EQ(verdict("[Desktop Entry]\nName=No type\nExec=x\n"), V::broken);
    EXPECT_EQ(verdict("[Desktop Action x]\nName=Wrong group\n[Desktop Entry]\n" + entry("A")),
              V::broken);
    EXPECT_EQ(verdict("[Desktop Entry]\nType=Application\nName=\xc3\x28\nExec=x\n"), V::broken);
    EXPECT_EQ(verdict(entry("Bad comment", "Comment=\xc3\x28\n")), V::shown);
    EXPECT_EQ(verdict("garbage"), V::broken);

    environment.currentDesktops.clear();
    EXPECT_EQ(verdict(entry("Only KDE, no desktop", "OnlyShowIn=KDE;\n")), V::masked);
    EXPECT_EQ(verdict(entry("Not KDE, no desktop", "NotShowIn=KDE;\n")), V::shown);
}

TEST(DesktopEntryScan, FindsEntriesWithIdsShadowingAndTheFirstFolderWinning) {
    TemporaryFolder data;
    const auto user = data / "home/applications";
    const auto system = data / "usr/applications";
    const auto extra = data / "extra/applications";
    writeFile(system / "org.example.Files.desktop", entry("System Files"));
    writeFile(user / "org.example.Files.desktop",
              entry("My Files", "Icon=files\nCategories=System;Utility;\n"));
    writeFile(system / "editor.desktop", entry("Editor"));
    writeFile(user / "editor.desktop", "[Desktop Entry]\nHidden=true\n");
    writeFile(system / "viewer.desktop", entry("Viewer"));
    writeFile(user / "viewer.desktop", entry("Viewer", "NoDisplay=true\n"));
    writeFile(system / "paint.desktop", entry("Paint"));
    writeFile(user / "paint.desktop", "[Desktop Entry]\nbroken line\n");
    writeFile(system / "kde/konsole.desktop", entry("Konsole"));
    writeFile(system / "kde-konsole.desktop", entry("Konsole twin"));
    writeFile(extra / "kde/konsole.desktop", entry("Konsole later"));
    writeFile(system / "deep/er/tool.desktop", entry("Deep tool"));
    writeFile(system / ".hidden.desktop", entry("Dot file"));
    writeFile(system / "notes.txt", entry("Not an entry"));
    writeFile(system / "UPPER.DESKTOP", entry("Wrong suffix"));
    writeFile(system / "big.desktop",
              entry("Big", "Comment=" + std::string(maxDesktopEntryBytes, 'x') + "\n"));
    ::mkfifo((system / "pipe.desktop").c_str(), 0600);

    const DesktopEnvironment environment{.locales = {}, .currentDesktops = {}, .searchPath = {}};
    const auto apps =
        scanDesktopEntries({user, data / "missing/applications", system, extra}, environment);
    // "kde-konsole.desktop" sorts before "kde/konsole.desktop": the smaller path wins the id.
    EXPECT_EQ(names(apps),
              (std::vector<std::string>{"Deep tool", "Konsole twin", "My Files", "Paint"}));
    for (const auto& app : apps) {
        if (app.displayName() == "Konsole twin") {
            EXPECT_EQ(app.id(), "bundle:kde-konsole");
            EXPECT_EQ(app.bundleIdentifier(), "kde-konsole");
            EXPECT_EQ(app.bundleURL(), system / "kde-konsole.desktop");
        }
        if (app.displayName() == "Deep tool") {
            EXPECT_EQ(app.bundleIdentifier(), "deep-er-tool");
        }
        if (app.displayName() == "My Files") {
            // The id is lower-cased like a bundle identifier; the identifier keeps its case.
            EXPECT_EQ(app.id(), "bundle:org.example.files");
            EXPECT_EQ(app.bundleIdentifier(), "org.example.Files");
            EXPECT_EQ(app.bundleURL(), user / "org.example.Files.desktop");
            // Kept for the icon and the utilities, which then need not read the entry again.
            const auto scanned = scannedDesktopEntry(app.bundleURL().native());
            ASSERT_TRUE(scanned);
            EXPECT_EQ(scanned->icon, "files");
            EXPECT_EQ(scanned->categories, (std::vector<std::string>{"System", "Utility"}));
        }
    }
    // The next scan tells what the entry says then.
    writeFile(user / "org.example.Files.desktop", entry("My Files", "Icon=files-new\n"));
    scanDesktopEntries({user}, environment);
    EXPECT_EQ(scannedDesktopEntry((user / "org.example.Files.desktop").native())->icon,
              "files-new");
}

TEST(DesktopEntryScan, NamesFollowTheLanguageOfTheScan) {
    TemporaryFolder data;
    const auto folder = data / "applications";
    writeFile(folder / "calc.desktop",
              entry("Calculator", "Name[de]=Rechner\nName[zh_CN]=计算器\nName[fr]=Calculatrice\n"));
    for (const auto& [locale, expected] :
         std::vector<std::pair<std::string, std::string>>{{"de_DE.UTF-8", "Rechner"},
                                                          {"zh_CN.UTF-8", "计算器"},
                                                          {"fr_CA.UTF-8", "Calculatrice"},
                                                          {"en_US.UTF-8", "Calculator"}}) {
        const DesktopEnvironment environment{
            .locales = localeVariants(locale), .currentDesktops = {}, .searchPath = {}};
        EXPECT_EQ(names(scanDesktopEntries({folder}, environment)),
                  std::vector<std::string>{expected})
            << locale;
    }
}

TEST(DesktopEntryScan, ChineseNamesAreFoundByTheirPinyin) {
    TemporaryFolder data;
    const auto folder = data / "applications";
    writeFile(folder / "calc.desktop", entry("Calculator", "Name[zh_CN]=计算器\n"));
    writeFile(folder / "org.example.Viewer.desktop", entry("Viewer"));
    const DesktopEnvironment environment{
        .locales = localeVariants("zh_CN.UTF-8"), .currentDesktops = {}, .searchPath = {}};
    const AppSearchIndex index(scanDesktopEntries({folder}, environment));
    for (const char* query : {"jisuanqi", "jsq", "计算"}) {
        const auto hits = index.search(query, {});
        ASSERT_EQ(hits.size(), 1U) << query;
        EXPECT_EQ(hits.front().app().displayName(), "计算器");
    }
    // The entry's file name counts as a bundle's does.
    const auto hits = index.search("viewer", {});
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.front().app().id(), "bundle:org.example.viewer");
}

TEST(DesktopEntryFolders, FollowTheDataVariablesAndTheirDefaults) {
    {
        const ScopedVariable home("HOME", "/home/u");
        const ScopedVariable dataHome("XDG_DATA_HOME", nullptr);
        const ScopedVariable dataDirs("XDG_DATA_DIRS", nullptr);
        EXPECT_EQ(desktopEntryFolders(),
                  (std::vector<std::filesystem::path>{"/home/u/.local/share/applications",
                                                      "/usr/local/share/applications",
                                                      "/usr/share/applications"}));
    }
    const ScopedVariable dataHome("XDG_DATA_HOME", "/data/home/");
    const ScopedVariable dataDirs("XDG_DATA_DIRS", "/a::relative:/b/:/a");
    EXPECT_EQ(desktopEntryFolders(),
              (std::vector<std::filesystem::path>{"/data/home/applications", "/a/applications",
                                                  "/b/applications"}));
}

TEST(DesktopEntryFolders, GiveEachEntryItsDesktopFileId) {
    EXPECT_EQ(desktopFileId("/usr/share/applications", "/usr/share/applications/kde/foo.desktop"),
              "kde-foo.desktop");
    EXPECT_EQ(desktopFileId("/usr/share/applications/", "/usr/share/applications/a.desktop"),
              "a.desktop");
    EXPECT_FALSE(desktopFileId("/usr/share/applications", "/usr/share/applicationsX/a.desktop"));
    EXPECT_EQ(desktopFileId(
                  std::vector<std::filesystem::path>{"/x/applications", "/usr/share/applications"},
                  "/usr/share/applications/gimp.desktop"),
              "gimp.desktop");
    EXPECT_TRUE(isDesktopEntryPath("/usr/share/applications/gimp.desktop"));
    EXPECT_FALSE(isDesktopEntryPath("/Applications/Gimp.app"));
}

} // namespace
} // namespace orbitdeck
