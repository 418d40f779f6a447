// One page of 10,000 tiles, 1,000 of them folders of 10. Every hot path is timed next to its
// floor measured in the same run: a deep copy of the graph plus one hash-set pass over all ids,
// or nlohmann parse + dump of the same bytes for the coding paths.
#include "layout-core/layout_reducer.h"
#include "library/library_layout.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using namespace orbitdeck;
using Clock = std::chrono::steady_clock;

constexpr int kPageItems = 10'000;
constexpr int kFolders = 1'000;
constexpr int kFolderSize = 10;
constexpr int kInstalled = 20'000;

std::string appID(int n) {
    return "bundle:com.example.application" + std::to_string(n);
}

LibraryLayout makeLayout() {
    std::vector<LayoutItem> items;
    std::vector<LayoutFolder> folders;
    int next = 0;
    for (int slot = 0; slot < kPageItems; ++slot) {
        if (slot % (kPageItems / kFolders) != 0) {
            items.push_back(LayoutItem::application(appID(next++)));
            continue;
        }
        LayoutFolder folder{.id = FolderID{"folder-" + std::to_string(folders.size())},
                            .name = "Folder",
                            .items = {}};
        for (int k = 0; k < kFolderSize; ++k)
            folder.items.push_back(LayoutItem::application(appID(next++)));
        items.push_back(LayoutItem::folder(folder.id));
        folders.push_back(std::move(folder));
    }
    const PageID pageID{"applications"};
    return {.pageID = pageID,
            .graph = LayoutGraph::make({LayoutPage{.id = pageID, .items = std::move(items)}},
                                       std::move(folders))};
}

double elapsedMs(const std::function<void()>& body) {
    const auto start = Clock::now();
    body();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Times the operation and its floor alternately, best of each, so both see the same machine load.
// `prepare` runs untimed before each run of the operation.
void compare(
    const char* name, int repetitions, const std::function<void()>& operation,
    const std::function<void()>& floor, const char* floorName,
    const std::function<void()>& prepare = [] {}) {
    double best = 1e300;
    double bestFloor = 1e300;
    for (int i = 0; i < repetitions; ++i) {
        bestFloor = std::min(bestFloor, elapsedMs(floor));
        prepare();
        best = std::min(best, elapsedMs(operation));
    }
    std::printf("%-28s %9.3f ms   floor %9.3f ms (%s)   ratio %5.2fx\n", name, best, bestFloor,
                floorName, best / bestFloor);
}

volatile std::size_t sink = 0;

} // namespace

int main() {
    const bool quick = std::getenv("ORBITDECK_BENCH_QUICK") != nullptr;
    const int reps = quick ? 3 : 30;

    const LibraryLayout layout = makeLayout();
    const LayoutGraph& graph = *layout.graph;
    const std::string snapshot = *layout.encodedSnapshot();
    std::vector<std::string> installed;
    for (int n = 0; n < kInstalled; ++n)
        installed.push_back(appID(n));

    const auto graphFloor = [&] {
        const LayoutGraph copy = graph;
        std::unordered_set<std::string_view> ids;
        ids.reserve(kPageItems + kFolders * kFolderSize);
        for (const auto& item : copy.pages().front().items)
            ids.insert(item.payload);
        for (const auto& entry : copy.folders())
            for (const auto& item : entry.second.items)
                ids.insert(item.payload);
        sink = sink + ids.size();
    };
    const auto codingFloor = [&] { sink = sink + nlohmann::json::parse(snapshot).dump().size(); };
    const auto pageAt = [&](std::int64_t index) {
        return LayoutPosition{.container = LayoutContainer::page(layout.pageID), .index = index};
    };
    const LayoutCommand move = LayoutCommand::move(pageAt(1), pageAt(kPageItems - 1));
    const LayoutCommand createFolder = LayoutCommand::createFolder(
        FolderID{"new"}, "New Folder", layout.pageItems().back().payload,
        layout.pageItems()[1].payload);

    compare(
        "validate", reps, [&] { graph.validate(); }, graphFloor, "copy+hash");
    compare(
        "reducer move", reps,
        [&] { sink = sink + LayoutReducer::apply(move, graph).pages().size(); }, graphFloor,
        "copy+hash");
    compare(
        "reducer createFolder", reps,
        [&] { sink = sink + LayoutReducer::apply(createFolder, graph).folders().size(); },
        graphFloor, "copy+hash");
    compare(
        "snapshot encode", reps, [&] { sink = sink + layout.encodedSnapshot()->size(); },
        codingFloor, "parse+dump");

    LibraryLayout restored{.pageID = layout.pageID, .graph = {}};
    compare(
        "restore, 20,000 installed", reps, [&] { restored.restore(snapshot, installed); },
        [&] {
            codingFloor();
            graphFloor();
        },
        "parse+dump+copy+hash");

    std::vector<LayoutItem> reversed = layout.pageItems();
    std::reverse(reversed.begin(), reversed.end());
    LibraryLayout ordered = layout;
    bool flip = false;
    compare(
        "applyOrder", reps,
        [&] {
            flip = !flip;
            sink = sink + ordered.applyOrder(flip ? reversed : layout.pageItems());
        },
        graphFloor, "copy+hash");

    LibraryLayout flattened = layout;
    compare(
        "flatten", reps, [&] { sink = sink + flattened.flatten(); }, graphFloor, "copy+hash",
        [&] { flattened = layout; });
    return 0;
}
