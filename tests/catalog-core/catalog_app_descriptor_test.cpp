#include "catalog-core/app_descriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace orbitdeck {
namespace {

TEST(CatalogAppDescriptor, IdentityRule) {
    {
        SCOPED_TRACE("identifier is lower-cased, path ignored");
        const AppDescriptor app("Notes", "Com.Example.Notes", "/Applications/Notes.app");
        EXPECT_EQ(app.id(), "bundle:com.example.notes");
        EXPECT_EQ(app.bundleIdentifier(), "Com.Example.Notes");
    }
    {
        SCOPED_TRACE("default case mapping, not a Turkish or other locale");
        const AppDescriptor app("X", "COM.İSTANBUL.ÄPP", "/A.app");
        EXPECT_EQ(app.id(), "bundle:com.i\xCC\x87stanbul.äpp");
    }
    {
        SCOPED_TRACE("blank identifier counts as present");
        EXPECT_EQ(AppDescriptor("X", "  ", "/A.app").id(), "bundle:  ");
    }
    {
        SCOPED_TRACE("absent or empty identifier falls back to the standardised path");
        EXPECT_EQ(AppDescriptor("Tool", std::nullopt, "/Applications/Tool.app").id(),
                  "path:/Applications/Tool.app");
        EXPECT_EQ(AppDescriptor("Tool", "", "/Applications/./X/../Tool.app/").id(),
                  "path:/Applications/Tool.app");
        EXPECT_EQ(AppDescriptor("Tool", "", "/Applications//Tool.APP").id(),
                  "path:/Applications/Tool.APP");
        EXPECT_EQ(AppDescriptor("Tool", "", "/../Tool.app").id(), "path:/Tool.app");
        EXPECT_EQ(AppDescriptor("Tool", "", "/A/..").id(), "path:/");
        EXPECT_EQ(AppDescriptor("Tool", "", "A/..").id(), "path:.");
    }
    {
        SCOPED_TRACE("bundle URL is kept as given");
        EXPECT_EQ(AppDescriptor("Tool", "", "/A/./Tool.app").bundleURL(), "/A/./Tool.app");
    }
}

TEST(CatalogAppDescriptor, EqualityAndHashUseAllFields) {
    const AppDescriptor base("Notes", "com.example.notes", "/Applications/Notes.app");
    EXPECT_EQ(base, AppDescriptor("Notes", "com.example.notes", "/Applications/Notes.app"));
    EXPECT_NE(base, AppDescriptor("Notes", "Com.Example.Notes", "/Applications/Notes.app"));
    EXPECT_NE(base, AppDescriptor("Notes 2", "com.example.notes", "/Applications/Notes.app"));
    EXPECT_NE(base, AppDescriptor("Notes", "com.example.notes", "/Other/Notes.app"));

    const AppDescriptor absent("Tool", std::nullopt, "/Tool.app");
    const AppDescriptor empty("Tool", "", "/Tool.app");
    EXPECT_EQ(absent.id(), empty.id());
    EXPECT_NE(absent, empty);
    EXPECT_NE(std::hash<AppDescriptor>{}(absent), std::hash<AppDescriptor>{}(empty));

    std::unordered_set<AppDescriptor> set{base, absent, empty};
    set.insert(AppDescriptor("Notes", "com.example.notes", "/Applications/Notes.app"));
    EXPECT_EQ(set.size(), 3u);

    // The same texts composed or decomposed are the same descriptor.
    const AppDescriptor composed("Caf\u00e9", "org.caf\u00e9", "/Applications/Cafe.app");
    const AppDescriptor decomposed("Cafe\u0301", "org.cafe\u0301", "/Applications/Cafe.app");
    EXPECT_EQ(composed, decomposed);
    EXPECT_EQ(std::hash<AppDescriptor>{}(composed), std::hash<AppDescriptor>{}(decomposed));
    EXPECT_NE(composed, AppDescriptor("Cafe", "org.cafe", "/Applications/Cafe.app"));
}

TEST(CatalogAppDescriptor, DisplayNameOrder) {
    const auto less = AppDescriptor::displayNameOrder;
    {
        SCOPED_TRACE("code-point order, case matters, empty first");
        const AppDescriptor empty("", "e", "/e.app");
        const AppDescriptor upper("Zebra", "z", "/z.app");
        const AppDescriptor lower("apple", "a", "/a.app");
        EXPECT_TRUE(less(empty, upper));
        EXPECT_TRUE(less(upper, lower));
        EXPECT_FALSE(less(lower, upper));
    }
    {
        SCOPED_TRACE("canonically equivalent names are equal, so the id decides");
        const AppDescriptor composed("\xC3\xA9t\xC3\xA9", "b.two", "/1.app");
        const AppDescriptor decomposed("e\xCC\x81te\xCC\x81", "a.one", "/2.app");
        EXPECT_TRUE(less(decomposed, composed));
        EXPECT_FALSE(less(composed, decomposed));
    }
    {
        SCOPED_TRACE("same name: bundle ids before path ids");
        std::vector<AppDescriptor> apps{
            AppDescriptor("Same", std::nullopt, "/a/Same.app"),
            AppDescriptor("Same", "org.b", "/b/Same.app"),
            AppDescriptor("Same", "com.a", "/c/Same.app"),
        };
        std::sort(apps.begin(), apps.end(), less);
        EXPECT_EQ(apps[0].id(), "bundle:com.a");
        EXPECT_EQ(apps[1].id(), "bundle:org.b");
        EXPECT_EQ(apps[2].id(), "path:/a/Same.app");
    }
}

} // namespace
} // namespace orbitdeck
