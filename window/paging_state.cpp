#include "window/paging_state.h"

#include "window/state_assign.h"

namespace orbitdeck {

void PagingState::setPage(int page, bool animated) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (page_ == page)
        return;
    page_ = page;
    animatePageChange_ = animated;
    emit pageChanged();
}

QString PagingState::direction() const {
    return direction_ == Direction::trailing ? QStringLiteral("trailing")
                                             : QStringLiteral("leading");
}

void PagingState::setDirection(Direction value) {
    assignAndNotify(this, direction_, value, &PagingState::directionChanged);
}

void PagingState::setNavColumns(int value) {
    assignAndNotify(this, navColumns_, value, &PagingState::navColumnsChanged);
}

void PagingState::setNavCapacity(int value) {
    assignAndNotify(this, navCapacity_, value, &PagingState::navCapacityChanged);
}

void PagingState::setSwipeOffset(double value) {
    assignAndNotify(this, swipeOffset_, value, &PagingState::swipeOffsetChanged);
}

void PagingState::setSettlingSwipe(bool value) {
    assignAndNotify(this, settlingSwipe_, value, &PagingState::settlingSwipeChanged);
}

} // namespace orbitdeck
