// Directory scan against a floor that walks the same tree and only reads each Info.plist's bytes,
// and the desktop-entry scan against a floor that only reads each entry's bytes. Each side
// reports its best of several runs over a warm cache, so load from other work on the machine
// does not decide the ratio.
#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/desktop_entry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool quickMode() {
    const char* quick = std::getenv("ORBITDECK_BENCH_QUICK");
    return quick != nullptr && std::string(quick) == "1";
}

fs::path sourceFolder() {
    if (const char* source = std::getenv("ORBITDECK_SOURCE_DIR"))
        return source;
    return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

// Runs the sample generator with the given arguments after --home.
bool generate(const fs::path& home, const std::string& arguments) {
    const std::string command = "python3 '" +
                                (sourceFolder() / "scripts/make-sample-apps.py").string() +
                                "' --home '" + home.string() + "' " + arguments + " > /dev/null";
    return std::system(command.c_str()) == 0;
}

// The plain baseline: the same depth limit and skips, then every Info.plist read whole; for a
// scan that follows the bundles' localisations, also each bundle's list of resources.
std::size_t floorScan(const fs::path& root, bool listResources) {
    std::size_t bytes = 0;
    std::error_code error;
    fs::recursive_directory_iterator walk(root, error), end;
    for (; walk != end; walk.increment(error)) {
        const auto name = walk->path().filename().string();
        if (name.front() == '.' || walk.depth() >= 3) {
            walk.disable_recursion_pending();
            if (name.front() == '.')
                continue;
        }
        if (walk->path().extension() == ".app") {
            walk.disable_recursion_pending();
            std::ifstream in(walk->path() / "Contents" / "Info.plist", std::ios::binary);
            bytes += static_cast<std::size_t>(std::distance(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>()));
            if (listResources)
                for (fs::directory_iterator entry(walk->path() / "Contents" / "Resources", error);
                     entry != fs::directory_iterator(); entry.increment(error)) {
                }
        }
    }
    return bytes;
}

// The plain baseline: every ".desktop" file under the folders read whole.
std::size_t floorScan(const std::vector<fs::path>& folders) {
    std::size_t bytes = 0;
    for (const auto& folder : folders) {
        std::error_code error;
        fs::recursive_directory_iterator walk(folder, error), end;
        for (; walk != end; walk.increment(error)) {
            if (walk->path().extension() != ".desktop")
                continue;
            std::ifstream in(walk->path(), std::ios::binary);
            bytes += static_cast<std::size_t>(std::distance(std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>()));
        }
    }
    return bytes;
}

double milliseconds(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The best times of scan and of its floor over alternating runs, so both see the same load; the
// floor runs once before to warm the cache for both.
std::pair<double, double> race(int repeats, const std::function<void()>& scan,
                               const std::function<void()>& floor) {
    floor();
    double bestScan = 1e300;
    double bestFloor = 1e300;
    for (int run = 0; run < repeats; ++run) {
        bestFloor = std::min(bestFloor, milliseconds(floor));
        bestScan = std::min(bestScan, milliseconds(scan));
    }
    return {bestScan, bestFloor};
}

} // namespace

int main() {
    const bool quick = quickMode();
    const std::vector<int> sizes = quick ? std::vector<int>{50, 100} : std::vector<int>{1000, 5000};
    const int repeats = quick ? 3 : 15;
    std::string pattern = (fs::temp_directory_path() / "orbitdeck-scan-bench-XXXXXX").string();
    const fs::path work = ::mkdtemp(pattern.data());
    int status = 0;
    std::printf("%-28s %12s %12s %8s\n", "directory scan", "scan ms", "floor ms", "ratio");
    for (const int size : sizes) {
        const fs::path home = work / std::to_string(size);
        if (!generate(home, "--count " + std::to_string(size))) {
            std::fprintf(stderr, "could not generate %d sample bundles\n", size);
            status = 1;
            break;
        }
        const fs::path root = home / "Applications";
        std::size_t found = 0;
        std::size_t bytes = 0;
        // Without languages names come from Info.plist alone; with them every bundle's
        // localisations are looked at too.
        for (const bool localized : {false, true}) {
            const std::vector<std::string> languages =
                localized ? std::vector<std::string>{"de-DE", "en"} : std::vector<std::string>{};
            const auto [scan, floor] = race(
                repeats,
                [&] {
                    found = orbitdeck::ApplicationDirectoryCatalog({root}, languages)
                                .applications()
                                .size();
                },
                [&] { bytes = floorScan(root, localized); });
            std::printf(
                "%-28s %12.2f %12.2f %7.2fx  (%zu apps, %zu plist bytes; goal <= 2x)\n",
                ("bundles: " + std::to_string(size) + (localized ? ", de-DE en" : "")).c_str(),
                scan, floor, scan / floor, found, bytes);
            if (found != static_cast<std::size_t>(size))
                status = 1;
        }
    }
    // A German interface: localised names are looked up for every entry.
    orbitdeck::DesktopEnvironment environment = orbitdeck::DesktopEnvironment::current();
    environment.locales = orbitdeck::localeVariants("de_DE.UTF-8");
    std::printf("%-28s %12s %12s %8s\n", "desktop-entry scan", "scan ms", "floor ms", "ratio");
    for (const int size : sizes) {
        const fs::path home = work / ("entries-" + std::to_string(size));
        if (!generate(home, "--count 0 --no-decoys --desktop-entries " + std::to_string(size))) {
            std::fprintf(stderr, "could not generate %d sample entries\n", size);
            status = 1;
            break;
        }
        const std::vector<fs::path> folders{home / ".local/share/applications",
                                            home / "usr/share/applications"};
        std::size_t found = 0;
        std::size_t bytes = 0;
        const auto [scan, floor] = race(
            repeats, [&] { found = orbitdeck::scanDesktopEntries(folders, environment).size(); },
            [&] { bytes = floorScan(folders); });
        std::printf("%-28s %12.2f %12.2f %7.2fx  (%zu shown, %zu entry bytes; goal <= 2x)\n",
                    ("entries: " + std::to_string(size)).c_str(), scan, floor, scan / floor, found,
                    bytes);
        if (found != static_cast<std::size_t>(size))
            status = 1;
    }
    fs::remove_all(work);
    return status;
}
