#pragma once
// The "suppress the next tap" mark of a long press belongs to that press: its release ends the
// mark whether or not a click followed (a press that became a drag has none), so the mark
// never eats the click of a later press.
#include <cstdint>
#include <optional>

namespace orbitdeck {

class LongPressTap {
public:
    using Press = std::uint64_t;

    // A new press on a tile; it ends any mark left by an earlier one.
    Press pressed();
    // The current press was held long enough to turn arranging on.
    void longPressed();
    // The press ended. True when it was the long press, so its mark must now be cleared (after
    // the click of this very press, if any, has been handled).
    bool released(Press press);

    std::optional<Press> current() const { return current_; }
    bool marked() const { return longPress_.has_value(); }

private:
    Press lastPress_ = 0;
    std::optional<Press> current_;
    std::optional<Press> longPress_;
};

} // namespace orbitdeck
