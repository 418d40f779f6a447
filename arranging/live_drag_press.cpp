#include "arranging/live_drag_press.h"

namespace orbitdeck {

void LongPressTap::longPressed(Press press) {
    longPress_ = press;
    suppressing_ = true;
}

bool LongPressTap::swallowsClick(Press press) {
    const bool swallow = longPress_ == press;
    if (swallow)
        suppressing_ = false;
    return swallow;
}

void LongPressTap::released(Press press) {
    if (longPress_ == press)
        suppressing_ = false;
}

} // namespace orbitdeck
