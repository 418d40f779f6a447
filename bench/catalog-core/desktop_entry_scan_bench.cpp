// Desktop-entry scan against a floor that walks the same folders and only reads each entry's
// bytes. Each side reports its best of several runs over a warm cache, so load from other work on
// the machine does not decide the ratio.
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

bool generate(const fs::path& home, int count) {
    const std::string command =
        "python3 '" + (sourceFolder() / "scripts/make-sample-apps.py").string() + "' --home '" +
        home.string() + "' --count 0 --no-decoys --desktop-entries " + std::to_string(count) +
        " > /dev/null";
    return std::system(command.c_str()) == 0;
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

} // namespace

int main() {
    const bool quick = quickMode();
    const std::vector<int> sizes = quick ? std::vector<int>{50, 100} : std::vector<int>{1000, 5000};
    const int repeats = quick ? 3 : 15;
    std::string pattern = (fs::temp_directory_path() / "orbitdeck-entry-bench-XXXXXX").string();
    const fs::path work = ::mkdtemp(pattern.data());
    // A German interface: localised names are looked up for every entry.
    orbitdeck::DesktopEnvironment environment = orbitdeck::DesktopEnvironment::current();
    environment.locales = orbitdeck::localeVariants("de_DE.UTF-8");
    int status = 0;
    std::printf("%-28s %12s %12s %8s\n", "desktop-entry scan", "scan ms", "floor ms", "ratio");
    for (const int size : sizes) {
        const fs::path home = work / std::to_string(size);
        if (!generate(home, size)) {
            std::fprintf(stderr, "could not generate %d sample entries\n", size);
            status = 1;
            break;
        }
        const std::vector<fs::path> folders{home / ".local/share/applications",
                                            home / "usr/share/applications"};
        std::size_t found = 0;
        std::size_t bytes = 0;
        floorScan(folders); // warm the cache for both sides
        double scan = 1e300;
        double floor = 1e300;
        // Runs alternate so both sides see the same load.
        for (int run = 0; run < repeats; ++run) {
            floor = std::min(floor, milliseconds([&] { bytes = floorScan(folders); }));
            scan = std::min(scan, milliseconds([&] {
                                found = orbitdeck::scanDesktopEntries(folders, environment).size();
                            }));
        }
        std::printf("%-28s %12.2f %12.2f %7.2fx  (%zu shown, %zu entry bytes; goal <= 2x)\n",
                    ("entries: " + std::to_string(size)).c_str(), scan, floor, scan / floor, found,
                    bytes);
        if (found != static_cast<std::size_t>(size))
            status = 1;
    }
    fs::remove_all(work);
    return status;
}
