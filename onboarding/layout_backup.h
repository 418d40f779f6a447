#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// A saved arrangement: the stored layout bytes, the hidden applications and the sort order.
struct LayoutBackup {
    static constexpr std::int64_t currentFormat = 1;

    std::int64_t format = currentFormat;
    std::string appVersion;
    std::chrono::sys_seconds exportedAt{};
    std::string layout; // the stored layout snapshot, byte for byte
    std::vector<std::string> hidden;
    std::optional<std::string> sort;

    friend bool operator==(const LayoutBackup&, const LayoutBackup&) = default;
};

// Pretty-printed JSON with sorted keys; the layout bytes in Base64, the date in UTC.
std::string encodeLayoutBackup(const LayoutBackup& backup);

// None unless the bytes are a JSON object with every required key of the right type, a
// date-time, Base64 layout bytes and a format of 1 or less. Unknown keys are ignored; a null
// "sort" counts as absent.
std::optional<LayoutBackup> decodeLayoutBackup(std::string_view bytes);

// The name offered when saving: "Orbitdeck Layout 2026-05-04.json" (the UTC date).
std::string suggestedBackupFileName(std::chrono::sys_seconds now);

} // namespace orbitdeck
