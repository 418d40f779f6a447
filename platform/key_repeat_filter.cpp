#include "platform/key_repeat_filter.h"

namespace orbitdeck {

bool KeyRepeatFilter::press(std::uint32_t serverTime) {
    const bool repeat = held_ && (!releasedAt_ || *releasedAt_ == serverTime);
    held_ = true;
    releasedAt_.reset();
    return !repeat;
}

void KeyRepeatFilter::release(std::uint32_t serverTime) {
    releasedAt_ = serverTime;
}

} // namespace orbitdeck
