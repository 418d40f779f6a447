// Sorting a page of 10,000 tiles by each library order, against a plain sort of the same tiles
// by display name in code-point order.
#include "library/library_sort.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace orbitdeck;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Work>
double medianMilliseconds(int rounds, Work work) {
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        work();
        samples.push_back(millisecondsSince(start));
    }
    std::ranges::sort(samples);
    return samples[samples.size() / 2];
}

} // namespace

int main() {
    const bool quick = std::getenv("ORBITDECK_BENCH_QUICK") != nullptr;
    const std::size_t count = quick ? 1000 : 10000;
    const int rounds = quick ? 1 : 7;
    const char* const words[] = {"App",  "Code", "Photo", "Music", "Notes",  "Café",
                                 "Zoom", "音乐", "地图",  "Über",  "Studio", "Pro"};

    std::mt19937 random(11);
    std::unordered_map<std::string, std::string> displayNames;
    std::unordered_map<std::string, std::string> folderTitles;
    LaunchCounts launchCounts;
    AppDates recentUse;
    AppDates addedDates;
    std::vector<LayoutItem> items;
    const auto now = std::chrono::system_clock::now();
    for (std::size_t index = 0; index < count; ++index) {
        const std::string id = "bundle:com.example.app" + std::to_string(index);
        std::string name = words[random() % std::size(words)];
        name += ' ';
        name += words[random() % std::size(words)];
        name += ' ';
        name += std::to_string(random() % 500);
        displayNames[id] = name;
        if (index % 3 == 0) {
            launchCounts[id] = static_cast<std::int64_t>(random() % 20);
            recentUse[id] = now - std::chrono::minutes(random() % 10000);
        }
        if (index % 4 != 0) {
            addedDates[id] = now - std::chrono::hours(random() % 5000);
        }
        items.push_back(index % 50 == 0 ? LayoutItem::folder(FolderID{"folder" + id})
                                        : LayoutItem::application(id));
        if (index % 50 == 0) {
            folderTitles["folder" + id] = name;
        }
    }
    const LibrarySortContext context{.displayNames = displayNames,
                                     .folderTitles = folderTitles,
                                     .launchCounts = launchCounts,
                                     .recentUse = recentUse,
                                     .addedDates = addedDates,
                                     .languageID = "en"};

    // The floor: each name looked up once, then a plain sort by code-point order.
    const double floor = medianMilliseconds(rounds, [&] {
        std::vector<std::pair<std::string, std::size_t>> keyed;
        keyed.reserve(items.size());
        for (const auto& item : items) {
            keyed.emplace_back(sortName(item, context), keyed.size());
        }
        std::ranges::sort(keyed);
    });
    std::printf("library sort benchmark%s, %zu items\n", quick ? " (quick)" : "", count);
    std::printf("  floor: plain sort by code-point name       %8.2f ms\n", floor);
    for (const auto mode : {LibrarySort::name, LibrarySort::nameReverse, LibrarySort::added,
                            LibrarySort::recent, LibrarySort::frequency}) {
        const double ours =
            medianMilliseconds(rounds, [&] { (void)sortedItems(items, mode, context); });
        std::printf("  %-12s                                 %8.2f ms  (%.2fx floor)\n",
                    std::string(librarySortRawValue(mode)).c_str(), ours, ours / floor);
    }
    return 0;
}
