#pragma once

#include <cstdint>
#include <optional>

namespace orbitdeck {

// Tells a physical key press from X11 auto-repeat. With detectable auto-repeat a held key sends
// presses without releases; without it, each repeat is a release and a press that carry the
// same server time. Both count as the key still being held.
class KeyRepeatFilter {
public:
    // True when this press is a new physical press.
    bool press(std::uint32_t serverTime);
    void release(std::uint32_t serverTime);

private:
    bool held_ = false;
    std::optional<std::uint32_t> releasedAt_;
};

} // namespace orbitdeck
