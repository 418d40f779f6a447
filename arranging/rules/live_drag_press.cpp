#include "arranging/rules/live_drag_press.h"

namespace orbitdeck {

LongPressTap::Press LongPressTap::pressed() {
    current_ = ++lastPress_;
    longPress_.reset();
    return *current_;
}

void LongPressTap::longPressed() {
    longPress_ = current_;
}

bool LongPressTap::released(Press press) {
    if (current_ == press)
        current_.reset();
    if (!longPress_ || *longPress_ != press)
        return false;
    longPress_.reset();
    return true;
}

} // namespace orbitdeck
