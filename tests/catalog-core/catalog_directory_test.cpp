#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/info_plist.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace orbitdeck {
namespace {

using testing::FixtureBundle;
using testing::makeBundle;
using testing::PlistFormat;
using testing::TemporaryFolder;
using testing::writeFile;

std::vector<std::string> names(const std::vector<AppDescriptor>& apps) {
    std::vector<std::string> result;
    for (const auto& app : apps)
        result.push_back(app.displayName());
    return result;
}

std::vector<std::string> ids(const std::vector<AppDescriptor>& apps) {
    std::vector<std::string> result;
    for (const auto& app : apps)
        result.push_back(app.id());
    return result;
}

TEST(CatalogDirectoryWalk, CollectsOnlyWhatTheRulesAllow) {
    TemporaryFolder home;
    const auto root = home / "Applications";
    makeBundle(root / "A.app", {.name = "A"});
    makeBundle(root / "Folder" / "B.app", {.name = "B", .format = PlistFormat::binary});
    makeBundle(root / "F" / "G" / "C.app", {.name = "C"});
    makeBundle(root / "F" / "G" / "H" / "D.app", {.name = "D too deep"});
    makeBundle(root / "Tool.APP", {.name = "Upper case extension"});
    makeBundle(root / ".Hidden.app", {.name = "Hidden bundle"});
    makeBundle(root / ".hidden" / "Inside.app", {.name = "Inside hidden folder"});
    makeBundle(root / "Outer.app" / "Contents" / "Nested.app", {.name = "Nested in package"});
    makeBundle(root / "Outer.app", {.name = "Outer"});
    makeBundle(root / "Kit.framework" / "Helper.app", {.name = "In a framework"});
    makeBundle(root / "Doc.app", {.name = "Not an application", .packageType = "FMWK"});
    makeBundle(root / "NoType.app", {.name = "No package type", .packageType = std::nullopt});
    writeFile(root / "Broken.app" / "Contents" / "Info.plist", "<plist><dict><key>");
    std::filesystem::create_directories(root / "Empty.app");
    writeFile(root / "File.app", "a plain file");
    writeFile(root / "Big.app" / "Contents" / "Info.plist",
              std::string(maxInfoPlistBytes + 1, ' '));
    ::mkfifo((root / "Pipe.app").c_str(), 0600);
    std::filesystem::create_directories(root / "Fifo.app" / "Contents");
    ::mkfifo((root / "Fifo.app" / "Contents" / "Info.plist").c_str(), 0600);
    std::filesystem::create_directory_symlink(root / "Folder", root / "LinkedFolder");
    std::filesystem::create_directory_symlink(root, root / "Folder" / "Loop");
    makeBundle(root / "Bad\xFFName.app", {.name = "Invalid file name"});

    const auto apps = ApplicationDirectoryCatalog({root}).applications();
    EXPECT_EQ(names(apps),
              (std::vector<std::string>{"A", "B", "C", "Outer", "Upper case extension"}));
    const auto found = std::find_if(apps.begin(), apps.end(),
                                    [](const auto& app) { return app.displayName() == "B"; });
    ASSERT_NE(found, apps.end());
    EXPECT_EQ(found->bundleURL(), root / "Folder" / "B.app");
}

TEST(CatalogDirectoryWalk, DisplayNameFallbacks) {
    TemporaryFolder home;
    makeBundle(home / "Both.app", {.displayName = "Shown", .name = "Plain"});
    makeBundle(home / "NameOnly.app", {.name = "Plain Name"});
    makeBundle(home / "My Tool.app", {});
    makeBundle(home / "Blank.app", {.displayName = "", .name = "Ignored"});
    makeBundle(home / "Spaces.app", {.displayName = "  Padded  "});
    writeFile(home / "Number.app" / "Contents" / "Info.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
              "<key>CFBundlePackageType</key><string>APPL</string>"
              "<key>CFBundleDisplayName</key><integer>7</integer>"
              "<key>CFBundleName</key><string>Named By Name</string></dict></plist>");

    EXPECT_EQ(names(ApplicationDirectoryCatalog({home.path()}).applications()),
              (std::vector<std::string>{"", "  Padded  ", "My Tool", "Named By Name", "Plain Name",
                                        "Shown"}));
}

TEST(CatalogDirectoryWalk, IdentityAndDeduplication) {
    TemporaryFolder home;
    const auto first = home / "first";
    const auto second = home / "second";
    {
        SCOPED_TRACE("earlier root wins");
        makeBundle(first / "Notes.app", {.identifier = "com.example.notes", .name = "First"});
        makeBundle(second / "Notes.app", {.identifier = "com.example.notes", .name = "Second"});
        const auto apps = ApplicationDirectoryCatalog({first, second}).applications();
        ASSERT_EQ(apps.size(), 1u);
        EXPECT_EQ(apps[0].displayName(), "First");
        EXPECT_EQ(ApplicationDirectoryCatalog({second, first}).applications()[0].displayName(),
                  "Second");
    }
    {
        SCOPED_TRACE("smaller path wins within a root; ids differing in case merge");
        TemporaryFolder other;
        makeBundle(other / "b" / "Copy.app", {.identifier = "Com.Example.App", .name = "B"});
        makeBundle(other / "a" / "Copy.app", {.identifier = "com.example.app", .name = "A"});
        const auto apps = ApplicationDirectoryCatalog({other.path()}).applications();
        ASSERT_EQ(apps.size(), 1u);
        EXPECT_EQ(apps[0].displayName(), "A");
        EXPECT_EQ(apps[0].id(), "bundle:com.example.app");
    }
    {
        SCOPED_TRACE("bundles without identifier at two paths stay two");
        TemporaryFolder other;
        makeBundle(other / "x" / "Tool.app", {.name = "Tool"});
        makeBundle(other / "y" / "Tool.app", {.identifier = "", .name = "Tool"});
        const auto apps = ApplicationDirectoryCatalog({other.path()}).applications();
        EXPECT_EQ(ids(apps), (std::vector<std::string>{"path:" + (other / "x/Tool.app").string(),
                                                       "path:" + (other / "y/Tool.app").string()}));
    }
    {
        SCOPED_TRACE("same name: bundle ids before path ids");
        TemporaryFolder other;
        makeBundle(other / "1.app", {.name = "Same"});
        makeBundle(other / "2.app", {.identifier = "org.b", .name = "Same"});
        makeBundle(other / "3.app", {.identifier = "com.a", .name = "Same"});
        const auto apps = ApplicationDirectoryCatalog({other.path()}).applications();
        ASSERT_EQ(apps.size(), 3u);
        EXPECT_EQ(apps[0].id(), "bundle:com.a");
        EXPECT_EQ(apps[1].id(), "bundle:org.b");
        EXPECT_EQ(apps[2].id(), "path:" + (other / "1.app").string());
    }
    {
        SCOPED_TRACE("missing root and no roots give nothing");
        EXPECT_TRUE(ApplicationDirectoryCatalog({home / "missing"}).applications().empty());
        EXPECT_TRUE(ApplicationDirectoryCatalog({}).applications().empty());
    }
}

TEST(CatalogInfoPlist, ReadsBothFormatsAndRejectsTheRest) {
    const auto parse = [](const std::string& bytes) {
        return parseInfoPlist(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    };
    const std::map<std::string, std::string> values{{"CFBundleExecutable", "run"},
                                                    {"CFBundleIconFile", "icon.png"},
                                                    {"CFBundleDisplayName", "微信"}};
    for (const auto format : {PlistFormat::xml, PlistFormat::binary}) {
        const auto info = parse(testing::encodePlist(values, format));
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->executable, "run");
        EXPECT_EQ(info->iconFile, "icon.png");
        EXPECT_EQ(info->displayName, "微信");
        EXPECT_FALSE(info->packageType.has_value());
    }
    EXPECT_FALSE(parse("").has_value());
    EXPECT_FALSE(parse("bplist00garbage").has_value());
    EXPECT_FALSE(parse("<plist><array/></plist>").has_value());
    EXPECT_FALSE(parse(std::string(maxInfoPlistBytes + 1, '<')).has_value());
}

// A binary Info.plist naming "Shapes" whose key "Nested" holds a chain of arrays, each holding
// `width` references to the next one: the parsed tree has width^levels leaves.
std::string chainedArrays(int levels, int width) {
    const auto bigEndian = [](std::string& out, std::uint64_t value, int size) {
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
    };
    std::string bytes = "bplist00";
    std::string offsets;
    const auto object = [&](std::uint8_t marker, std::string_view text,
                            std::initializer_list<std::uint64_t> references) {
        bigEndian(offsets, bytes.size(), 4);
        bytes.push_back(static_cast<char>(marker));
        bytes += text;
        for (const auto reference : references)
            bigEndian(bytes, reference, 4);
    };
    // 0: {1: 2, 3: 4}; 1 "CFBundleName"; 2 "Shapes"; 3 "Nested"; 4.. the chain.
    object(0xD2, "", {1, 3, 2, 4});
    object(0x5C, "CFBundleName", {});
    object(0x56, "Shapes", {});
    object(0x56, "Nested", {});
    for (int level = 0; level < levels; ++level) {
        bigEndian(offsets, bytes.size(), 4);
        bytes.push_back(static_cast<char>(0xA0 | width));
        for (int reference = 0; reference < width; ++reference)
            bigEndian(bytes, 5 + static_cast<std::uint64_t>(level), 4);
    }
    object(0xA0, "", {});
    const std::uint64_t table = bytes.size();
    bytes += offsets;
    bytes.append(6, '\0');
    bytes.push_back(4);
    bytes.push_back(4);
    bigEndian(bytes, 5 + static_cast<std::uint64_t>(levels), 8);
    bigEndian(bytes, 0, 8);
    bigEndian(bytes, table, 8);
    return bytes;
}

std::string nestedXmlArrays(int levels) {
    std::string xml = "<?xml version=\"1.0\"?><plist><dict><key>CFBundleName</key>"
                      "<string>Shapes</string><key>Nested</key>";
    for (int level = 0; level < levels; ++level)
        xml += "<array>";
    for (int level = 0; level < levels; ++level)
        xml += "</array>";
    return xml + "</dict></plist>";
}

TEST(CatalogInfoPlist, RefusesFilesThatExpandBeyondAnyRealInformationFile) {
    const auto parse = [](const std::string& bytes) {
        return parseInfoPlist(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    };
    {
        // Nested documents types and the like stay readable.
        const auto info = parse(chainedArrays(10, 2));
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->name, "Shapes");
        EXPECT_EQ(parse(nestedXmlArrays(10))->name, "Shapes");
    }
    {
        // A few hundred bytes that would expand to 2^40 nodes; the parser would never return.
        EXPECT_FALSE(parse(chainedArrays(40, 2)).has_value());
        EXPECT_FALSE(parse(chainedArrays(8, 14)).has_value());
    }
    {
        // Deep nesting overflows the parser's stack.
        EXPECT_FALSE(parse(chainedArrays(100'000, 1)).has_value());
        EXPECT_FALSE(parse(nestedXmlArrays(100)).has_value());
    }
    {
        // An array that holds itself.
        auto loop = chainedArrays(1, 1);
        const auto lastReferenceByte = loop.find('\xA1') + 4;
        loop[lastReferenceByte] = 4;
        EXPECT_FALSE(parse(loop).has_value());
    }
}

} // namespace
} // namespace orbitdeck

namespace orbitdeck {
namespace {

TEST(CatalogDirectoryWalk, SampleTreeFromTheGenerator) {
    TemporaryFolder home;
    ASSERT_TRUE(testing::makeSampleApps(home.path(), 60, true));
    const auto apps =
        ApplicationDirectoryCatalog({home / "Applications", home / "System/Applications"})
            .applications();
    EXPECT_EQ(apps.size(), 65u);
    for (const auto& app : apps) {
        EXPECT_EQ(app.id().rfind("bundle:dev.orbitdeck.s", 0), 0u) << app.id();
        EXPECT_FALSE(app.displayName().empty());
    }
    EXPECT_TRUE(std::is_sorted(apps.begin(), apps.end(), AppDescriptor::displayNameOrder));
    const auto wechat = std::find_if(apps.begin(), apps.end(),
                                     [](const auto& app) { return app.displayName() == "微信"; });
    EXPECT_NE(wechat, apps.end());
}

} // namespace
} // namespace orbitdeck
