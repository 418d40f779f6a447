#include "library/software_centre.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

class Places {
public:
    fs::path root() const { return dir_.path(); }

    fs::path program(const std::string& folder, const std::string& name, bool executable = true) {
        const fs::path file = root() / folder / name;
        write(file, "#!/bin/sh\n");
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return file;
    }
    void entry(const std::string& dataDir, const std::string& id, const std::string& text) {
        write(root() / dataDir / "applications" / id, text);
    }
    SoftwareCentrePlaces places(std::vector<std::string> desktops = {}) const {
        return {.path = {root() / "bin", root() / "usr-bin"},
                .dataDirs = {root() / "home-data", root() / "system-data"},
                .currentDesktops = std::move(desktops)};
    }

private:
    static void write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    testing::TemporaryFolder dir_;
};

TEST(SoftwareCentre, FoundOnPathTheDesktopsOwnFirst) {
    Places places;
    EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt) << "none installed";

    places.program("bin", "gnome-software", false);
    EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt) << "not executable";

    const fs::path discover = places.program("usr-bin", "plasma-discover");
    auto found = findSoftwareCentre(places.places());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->program, discover);
    EXPECT_TRUE(found->arguments.empty());

    const fs::path gnome = places.program("usr-bin", "gnome-software");
    EXPECT_EQ(findSoftwareCentre(places.places())->program, gnome);
    EXPECT_EQ(findSoftwareCentre(places.places({"GNOME"}))->program, gnome);
    EXPECT_EQ(findSoftwareCentre(places.places({"KDE"}))->program, discover);

    SoftwareCentrePlaces relative = places.places();
    relative.path = {"usr-bin"};
    EXPECT_EQ(findSoftwareCentre(relative), std::nullopt) << "relative PATH folders are skipped";
}

TEST(SoftwareCentre, FoundThroughItsDesktopEntry) {
    Places places;
    const fs::path flatpak = places.program("opt", "flatpak");
    {
        SCOPED_TRACE("the entry's program and arguments; field codes and quotes undone");
        places.entry("system-data", "org.gnome.Software.desktop",
                     "[Desktop Entry]\nName=Software\nExec=" + flatpak.string() +
                         " run \"--command=gnome software\" \"a\\\"b\" org.gnome.Software %U\n"
                         "[Desktop Action x]\nExec=/bin/false\n");
        const auto found = findSoftwareCentre(places.places());
        ASSERT_TRUE(found);
        EXPECT_EQ(found->program, flatpak);
        EXPECT_EQ(found->arguments, (std::vector<std::string>{"run", "--command=gnome software",
                                                              "a\"b", "org.gnome.Software"}));
        EXPECT_EQ(found->searchArguments("a b"),
                  (std::vector<std::string>{"run", "--command=gnome software", "a\"b",
                                            "org.gnome.Software", "--search", "a b"}));
    }
    {
        SCOPED_TRACE("a hidden entry in an earlier data folder hides the later one");
        places.entry("home-data", "org.gnome.Software.desktop",
                     "[Desktop Entry]\nHidden=true\nExec=" + flatpak.string() + "\n");
        EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt);
    }
    {
        SCOPED_TRACE("entries whose program is missing or whose Exec does not parse");
        places.entry("home-data", "org.gnome.Software.desktop",
                     "[Desktop Entry]\nTryExec=/nonexistent/gs\nExec=" + flatpak.string() + "\n");
        EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt);
        places.entry("home-data", "org.gnome.Software.desktop",
                     "[Desktop Entry]\nExec=\"" + flatpak.string() + " --unclosed\n");
        EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt);
        places.entry("system-data", "org.kde.discover.desktop",
                     "[Desktop Entry]\nExec=plasma-discover %F\n");
        EXPECT_EQ(findSoftwareCentre(places.places()), std::nullopt) << "not on PATH";
        const fs::path discover = places.program("bin", "plasma-discover");
        EXPECT_EQ(findSoftwareCentre(places.places())->program, discover);
    }
}

TEST(SoftwareCentre, TheQueryStaysOneArgument) {
    const SoftwareCentre centre{.program = "/usr/bin/gnome-software"};
    const std::string query = "  a \"b\" 'c' & d; $(e) 微信 ";
    EXPECT_EQ(centre.searchArguments(query), (std::vector<std::string>{"--search", query}));
    EXPECT_EQ(centre.searchArguments("--help"), (std::vector<std::string>{"--search", "--help"}));
}

} // namespace
} // namespace orbitdeck
