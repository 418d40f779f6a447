#pragma once
// A long press on a tile swallows the click that ends that same press, and nothing else: the
// mark belongs to one press, and its release clears the window's "suppress" flag whether or not
// a click followed (a press that became a drag has none).
#include <cstdint>
#include <optional>

namespace orbitdeck {

class LongPressTap {
public:
    using Press = std::uint64_t;

    // A new press on a tile.
    Press pressed() { return ++lastPress_; }
    // The press was held long enough to turn arranging on.
    void longPressed(Press press);
    // Whether the click of this press must be ignored (its release may come first).
    bool swallowsClick(Press press);
    // The press ended, with or without a click.
    void released(Press press);

    bool suppressing() const { return suppressing_; }

private:
    Press lastPress_ = 0;
    std::optional<Press> longPress_;
    bool suppressing_ = false;
};

} // namespace orbitdeck
