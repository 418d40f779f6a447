// The launcher database is another program's file: whatever rows it holds, the walk must end,
// and every folder it yields must hold at least one application.
#include "onboarding/launchpad_rows.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Each row is 8 bytes: kind, type, id, parent, order, and a text selector. Small ranges make
// parents, cycles and repeated ids likely.
orbitdeck::LaunchpadRows rowsFrom(const uint8_t* data, size_t size) {
    orbitdeck::LaunchpadRows rows;
    for (size_t at = 0; at + 8 <= size; at += 8) {
        const uint8_t* row = data + at;
        const std::int64_t id = row[2] % 32;
        switch (row[0] % 3) {
        case 0:
            rows.items.push_back({.id = id,
                                  .type = static_cast<std::int32_t>(row[1] % 6),
                                  .parent = row[3] % 32,
                                  .order = static_cast<std::int8_t>(row[4])});
            break;
        case 1:
            rows.apps.insert_or_assign(id, row[5] % 4 ? std::string(row[5] % 4, 'a' + row[6] % 26)
                                                      : std::string());
            break;
        default:
            rows.groups.insert_or_assign(id, std::string(row[5] % 3, 'g'));
        }
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto entries = orbitdeck::launchpadArrangement(rowsFrom(data, size));
    if (!entries)
        return 0;
    for (const auto& entry : *entries) {
        if (const auto* folder = std::get_if<orbitdeck::LaunchpadEntry::Folder>(&entry.value))
            if (folder->bundleIDs.empty())
                std::abort();
        if (const auto* app = std::get_if<orbitdeck::LaunchpadEntry::App>(&entry.value))
            if (app->bundleID.empty())
                std::abort();
    }
    return 0;
}
