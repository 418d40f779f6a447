#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbitdeck {

// What moving one item to the Trash gave: its new place, or the reason it stayed where it was.
struct TrashOutcome {
    std::optional<std::filesystem::path> trashedPath;
    std::optional<std::string> error;
};

// The desktop's Trash: items go there so the user can put them back; nothing is deleted.
class Trash {
public:
    virtual ~Trash() = default;
    // Blocking; the item is untouched when an error is answered.
    virtual TrashOutcome recycle(const std::filesystem::path& item) = 0;
};

} // namespace orbitdeck
