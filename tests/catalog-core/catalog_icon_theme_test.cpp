#include "catalog-core/gtk_icon_cache.h"
#include "catalog-core/icon_theme.h"
#include "catalog-core/icon_theme_cache.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace orbitdeck {
namespace {

using testing::TemporaryFolder;
using testing::writeFile;

// A theme index with the given directory groups; each entry is "name:Size:Type[:Min:Max]".
void writeTheme(const std::filesystem::path& folder, const std::string& inherits,
                const std::vector<std::string>& directories) {
    std::string names, groups;
    for (const std::string& spec : directories) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t colon; (colon = spec.find(':', start)) != std::string::npos;
             start = colon + 1)
            parts.push_back(spec.substr(start, colon - start));
        parts.push_back(spec.substr(start));
        names += parts[0] + ",";
        groups += "[" + parts[0] + "]\nSize=" + parts[1] + "\nType=" + parts[2] + "\n";
        if (parts.size() == 5)
            groups += "MinSize=" + parts[3] + "\nMaxSize=" + parts[4] + "\n";
    }
    writeFile(folder / "index.theme", "[Icon Theme]\nName=Fixture\n" +
                                          (inherits.empty() ? "" : "Inherits=" + inherits + "\n") +
                                          "Directories=" + names + "\n\n" + groups);
}

TEST(IconThemeLookup, FollowsTheThemeItsParentsHicolorAndThePixmaps) {
    TemporaryFolder data;
    const auto icons = data / "share/icons";
    const auto userIcons = data / "home/.icons";
    writeTheme(icons / "Fixture", "Parent",
               {"48x48/apps:48:Fixed", "scalable/apps:128:Scalable:8:512"});
    writeTheme(icons / "Parent", "hicolor", {"64x64/apps:64:Threshold"});
    writeTheme(icons / "hicolor", "", {"32x32/apps:32:Threshold", "256x256/apps:256:Threshold"});
    writeFile(icons / "Fixture/48x48/apps/editor.png", "png");
    writeFile(icons / "Fixture/scalable/apps/editor.svg", "svg");
    writeFile(icons / "Fixture/48x48/apps/small.png", "png");
    writeFile(icons / "Parent/64x64/apps/parent-only.png", "png");
    writeFile(icons / "hicolor/32x32/apps/parent-only.png", "png");
    writeFile(icons / "hicolor/32x32/apps/tiny.png", "png");
    writeFile(icons / "hicolor/256x256/apps/tiny.png", "png");
    writeFile(icons / "hicolor/256x256/apps/both.svg", "svg");
    writeFile(icons / "hicolor/256x256/apps/both.png", "png");
    writeFile(data / "share/pixmaps/legacy.xpm", "xpm");
    writeFile(userIcons / "Fixture/48x48/apps/mine.png", "png");
    writeTheme(userIcons / "Fixture-unused", "", {});
    IconThemeLookup lookup({.theme = "Fixture",
                            .themeFolders = {userIcons, icons},
                            .looseFolders = {data / "share/pixmaps"},
                            .rescanInterval = std::chrono::hours(1),
                            .newNameInterval = std::chrono::milliseconds(0)});
    using P = std::optional<std::filesystem::path>;
    // An exact size match; a scalable folder covers the sizes between its bounds.
    EXPECT_EQ(lookup.find("editor", 48), P(icons / "Fixture/48x48/apps/editor.png"));
    EXPECT_EQ(lookup.find("editor", 200), P(icons / "Fixture/scalable/apps/editor.svg"));
    // The closest size when none matches, in the first theme that has the icon at all.
    EXPECT_EQ(lookup.find("small", 256), P(icons / "Fixture/48x48/apps/small.png"));
    EXPECT_EQ(lookup.find("parent-only", 256), P(icons / "Parent/64x64/apps/parent-only.png"));
    EXPECT_EQ(lookup.find("tiny", 200), P(icons / "hicolor/256x256/apps/tiny.png"));
    EXPECT_EQ(lookup.find("both", 256), P(icons / "hicolor/256x256/apps/both.png"))
        << "PNG before SVG in one folder";
    // The theme's own folder under ~/.icons is read too; its index is the first found.
    EXPECT_EQ(lookup.find("mine", 48), P(userIcons / "Fixture/48x48/apps/mine.png"));
    EXPECT_EQ(lookup.find("legacy", 64), P(data / "share/pixmaps/legacy.xpm"));
    EXPECT_EQ(lookup.find("editor.png", 48), P(icons / "Fixture/48x48/apps/editor.png"));
    EXPECT_EQ(lookup.find((icons / "hicolor/32x32/apps/tiny.png").string(), 256),
              P(icons / "hicolor/32x32/apps/tiny.png"));
    EXPECT_FALSE(lookup.find("/nowhere/icon.png", 64));
    EXPECT_FALSE(lookup.find("absent", 64));
    EXPECT_FALSE(lookup.find("../share/pixmaps/legacy", 64));
    EXPECT_FALSE(lookup.find("", 64));

    // Answers are kept: a file that appears later is not looked for again until the next check;
    // a name or size not asked before checks at once.
    writeFile(data / "share/pixmaps/absent.png", "png");
    EXPECT_FALSE(lookup.find("absent", 64));
    EXPECT_TRUE(lookup.find("absent", 65));
}

TEST(IconThemeLookup, FindsIconsInstalledAfterTheFirstLookUp) {
    TemporaryFolder data;
    const auto icons = data / "icons";
    writeTheme(icons / "hicolor", "", {"48x48/apps:48:Fixed", "scalable/apps:64:Scalable:8:512"});
    writeFile(icons / "hicolor/48x48/apps/old.png", "png");
    IconThemeLookup lookup({.theme = "hicolor",
                            .themeFolders = {icons},
                            .looseFolders = {data / "pixmaps"},
                            .rescanInterval = std::chrono::hours(1),
                            .newNameInterval = std::chrono::milliseconds(0)});
    EXPECT_TRUE(lookup.find("old", 48));
    EXPECT_FALSE(lookup.find("new", 48));
    // A package brings an icon into a listed folder, one into a folder that did not exist yet,
    // and a loose one.
    writeFile(icons / "hicolor/48x48/apps/new.png", "png");
    writeFile(icons / "hicolor/scalable/apps/drawn.svg", "svg");
    writeFile(data / "pixmaps/loose.xpm", "xpm");
    EXPECT_FALSE(lookup.find("new", 48)) << "an answer given waits for the interval";
    // A name not asked before (a new application's) checks at once and starts afresh.
    EXPECT_EQ(lookup.find("drawn", 48), std::optional(icons / "hicolor/scalable/apps/drawn.svg"));
    EXPECT_EQ(lookup.find("new", 48), std::optional(icons / "hicolor/48x48/apps/new.png"));
    EXPECT_EQ(lookup.find("loose", 48), std::optional(data / "pixmaps/loose.xpm"));
}

TEST(IconThemeLookup, SurvivesMissingAndCyclicThemes) {
    TemporaryFolder data;
    const auto icons = data / "icons";
    writeTheme(icons / "Loop", "Loop,Other", {"48/apps:48:Fixed"});
    writeTheme(icons / "Other", "Loop", {"48/apps:48:Fixed"});
    writeFile(icons / "hicolor/48/apps/app.png", "png");
    writeTheme(icons / "hicolor", "", {"48/apps:48:Fixed"});
    IconThemeLookup loop({.theme = "Loop", .themeFolders = {icons}, .looseFolders = {}});
    loop.prepare(); // reads the whole chain once, cycle and all
    EXPECT_EQ(loop.find("app", 48), std::optional(icons / "hicolor/48/apps/app.png"));
    IconThemeLookup missing({.theme = "Nope", .themeFolders = {icons}, .looseFolders = {}});
    EXPECT_EQ(missing.find("app", 48), std::optional(icons / "hicolor/48/apps/app.png"));
    IconThemeLookup escaping(
        {.theme = "../icons/hicolor", .themeFolders = {icons}, .looseFolders = {}});
    EXPECT_EQ(escaping.find("app", 48), std::optional(icons / "hicolor/48/apps/app.png"));
}

TEST(IconThemeLookup, KeepsThemeIndexesOnDiskOnlyWhileTheyHold) {
    TemporaryFolder data;
    const auto icons = data / "icons";
    const auto cache = data / "cache/orbitdeck/icon-themes";
    writeTheme(icons / "hicolor", "", {"48x48/apps:48:Fixed", "scalable/apps:64:Scalable:8:512"});
    writeFile(icons / "hicolor/48x48/apps/old.png", "png");
    const IconThemeLookup::Options options{
        .theme = "hicolor", .themeFolders = {icons}, .looseFolders = {}, .cacheFolder = cache};
    // Folders changed in the last moments are not trusted to show the next change.
    const auto settle = [&] {
        const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        std::filesystem::last_write_time(icons, past);
        for (const auto& item : std::filesystem::recursive_directory_iterator(icons))
            std::filesystem::last_write_time(item.path(), past);
    };
    const auto fresh = [&](const std::string& name) {
        return IconThemeLookup(options).find(name, 48);
    };
    const auto cached = [&] { return loadCachedIconThemeIndex(cache, "hicolor", {icons}); };
    EXPECT_EQ(fresh("old"), std::optional(icons / "hicolor/48x48/apps/old.png"));
    EXPECT_FALSE(cached()) << "written only once its folders settled";
    settle();
    EXPECT_EQ(fresh("old"), std::optional(icons / "hicolor/48x48/apps/old.png"));
    ASSERT_TRUE(cached());
    EXPECT_EQ(cached()->hitsOf("old").size(), 1U);
    EXPECT_FALSE(loadCachedIconThemeIndex(cache, "hicolor", {icons, data / "more"}))
        << "written for other folders";

    // A package adds an icon: the folder's time changed, the cache no longer holds.
    writeFile(icons / "hicolor/scalable/apps/new.svg", "svg");
    EXPECT_FALSE(cached());
    settle();
    EXPECT_EQ(fresh("new"), std::optional(icons / "hicolor/scalable/apps/new.svg"));
    EXPECT_TRUE(cached()) << "rewritten after the theme was read again";

    // The index rewritten in place changes no folder, yet its directories may change.
    writeTheme(icons / "hicolor", "", {"scalable/apps:64:Scalable:8:512"});
    EXPECT_FALSE(cached());
    EXPECT_FALSE(fresh("old"));
    settle();

    // Cut short, bit-flipped or not ours at all: ignored, then replaced.
    const auto file = cache / "hicolor.index";
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    for (const std::string& broken :
         {bytes.substr(0, bytes.size() / 2), std::string(), std::string(bytes.size(), 'x'),
          bytes.substr(0, bytes.size() - 1) + static_cast<char>(bytes.back() ^ 1)}) {
        writeFile(file, broken);
        EXPECT_FALSE(cached());
        EXPECT_EQ(fresh("new"), std::optional(icons / "hicolor/scalable/apps/new.svg"));
        EXPECT_TRUE(cached());
    }
    // Every proper prefix of an intact index is refused, whatever its header says.
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(
            decodeIconThemeIndex(std::string_view(bytes).substr(0, length), "hicolor", {icons}))
            << length;
}

// Every hit of an index as "name directory folder extension", for readable differences.
std::vector<std::string> describe(const IconThemeIndex& index) {
    std::vector<std::string> lines;
    for (const auto& name : index.names)
        for (const auto& hit : index.hitsOf(index.nameOf(name)))
            lines.push_back(std::string(index.nameOf(name)) + " " +
                            index.directories[hit.directory].name + " " +
                            std::to_string(hit.folder) + " " + iconExtensions[hit.rank]);
    return lines;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(IconThemeLookup, ReadsGtkCachesAsTheListingWouldWhileTheyAreFreshAndWhole) {
    if (std::system("command -v gtk-update-icon-cache >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gtk-update-icon-cache is not installed";
    TemporaryFolder data;
    const auto userIcons = data / "home/.icons";
    const auto icons = data / "share/icons";
    const auto theme = icons / "Fixture";
    writeTheme(theme, "",
               {"48x48/apps:48:Fixed", "scalable/apps:64:Scalable:8:512", "32x32/apps:32:Threshold",
                "64x64/empty:64:Fixed"});
    for (const char* file :
         {"48x48/apps/editor.png", "48x48/apps/editor.svg", "48x48/apps/old.xpm",
          "48x48/apps/org.example.Dotted.svg", "scalable/apps/editor.svg", "scalable/apps/old.svg",
          "32x32/apps/editor.png", "unlisted/apps/stray.png"})
        writeFile(theme / file, "icon");
    std::filesystem::create_directories(theme / "64x64/empty");
    // Another base folder's copy of the theme is listed, and wins where both have a name.
    writeFile(userIcons / "Fixture/48x48/apps/editor.svg", "icon");
    writeFile(userIcons / "Fixture/48x48/apps/mine.png", "icon");
    ASSERT_EQ(std::system(("gtk-update-icon-cache --force --quiet --ignore-theme-index '" +
                           theme.string() + "'")
                              .c_str()),
              0);
    const auto cacheFile = theme / "icon-theme.cache";
    const std::string bytes = readBytes(cacheFile);
    const std::vector<std::filesystem::path> folders{userIcons, icons};
    const auto read = [&] { return readIconThemeIndex("Fixture", folders); };
    const auto setTime = [](const std::filesystem::path& path, std::chrono::hours offset) {
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(10) + offset);
    };
    const auto fresh = [&] {
        setTime(theme, std::chrono::hours(0));
        setTime(cacheFile, std::chrono::hours(1));
    };
    const auto stale = [&] {
        setTime(theme, std::chrono::hours(1));
        setTime(cacheFile, std::chrono::hours(0));
    };

    fresh();
    const auto cached = read();
    stale();
    const auto listed = read();
    EXPECT_EQ(describe(cached), describe(listed));
    EXPECT_EQ(cached.hitsOf("editor").size(), 3U);
    EXPECT_THAT(describe(cached), ::testing::Contains("editor 48x48/apps 0 .svg"))
        << "the earlier base folder's file";
    EXPECT_TRUE(std::ranges::any_of(cached.stamps, [&](const auto& stamp) {
        return stamp.path == cacheFile.native();
    })) << "a rewritten cache is noticed";

    // GTK trusts a fresh cache over a folder it does not cover; only a stale one is passed over.
    writeFile(theme / "48x48/apps/late.png", "icon");
    fresh();
    EXPECT_TRUE(read().hitsOf("late").empty());
    stale();
    EXPECT_EQ(read().hitsOf("late").size(), 1U);

    // Cut short, out of bounds, looping or not a cache at all: as if there were none.
    const auto word = [](std::string& text, std::size_t at, std::uint32_t value) {
        for (int byte = 0; byte < 4; ++byte)
            text[at + byte] = static_cast<char>(value >> (24 - 8 * byte));
    };
    const auto wordAt = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (int byte = 0; byte < 4; ++byte)
            value = value << 8 | static_cast<unsigned char>(bytes[at + byte]);
        return value;
    };
    const std::uint32_t hash = wordAt(4);
    std::uint32_t firstIcon = 0xFFFFFFFF;
    for (std::uint32_t bucket = 0; firstIcon == 0xFFFFFFFF; ++bucket)
        firstIcon = wordAt(hash + 4 + 4 * bucket);
    auto versionTwo = bytes, hashOutside = bytes, looping = bytes, nameOutside = bytes;
    versionTwo[1] = 2;
    word(hashOutside, 4, static_cast<std::uint32_t>(bytes.size()));
    word(looping, firstIcon, firstIcon);
    word(nameOutside, firstIcon + 4, 0xFFFFFFF0);
    const auto withLate = read();
    for (const std::string& broken :
         {bytes.substr(0, bytes.size() / 2), std::string(), std::string(bytes.size(), '\0'),
          versionTwo, hashOutside, looping, nameOutside}) {
        EXPECT_FALSE(decodeGtkIconCache(broken));
        writeFile(cacheFile, broken);
        fresh();
        EXPECT_EQ(describe(read()), describe(withLate));
    }
    // Every prefix that cuts a record or name short (only the padding at its end may go).
    for (std::size_t length = 0; length <= bytes.find_last_not_of('\0'); ++length)
        EXPECT_FALSE(decodeGtkIconCache(std::string_view(bytes).substr(0, length))) << length;
    EXPECT_TRUE(decodeGtkIconCache(bytes));
}

} // namespace
} // namespace orbitdeck
