#include "window/library_grid_metrics.h"

#include <algorithm>
#include <cmath>

namespace orbitdeck {

LibraryGridMetrics LibraryGridMetrics::make(const LibraryGridInput& input) {
    const int columns = input.customColumns == 0 ? 7 : std::clamp(input.customColumns, 4, 12);
    const int rows = input.customRows == 0 ? 5 : std::clamp(input.customRows, 2, 8);
    const double base = input.baseIconSize;
    const double hGaps = (columns - 1) * columnSpacing;
    const double vGaps = (rows - 1) * rowSpacing;

    const double available = std::max(input.width - std::max(0.18 * input.width, 64.0), hGaps + 1);
    const double ideal = hGaps + columns * std::max(base + 46, 108.0);
    const double width = std::min(ideal, available);
    const double cellWidth = (width - hGaps) / columns;

    double icon = base;
    double cellHeight = base + 34;
    if (!input.scrolling) {
        const double rowHeight = std::max((input.height - pageBarHeight - vGaps) / rows, 1.0);
        // The icon grows by up to 45 % when the page has room, and never shrinks here.
        icon = std::max(base, std::min({1.45 * base, rowHeight - 30, cellWidth - 34}));
        cellHeight = std::min(icon + 34, rowHeight);
    }
    const double labelRoom = cellHeight < 55 ? 18 : 22;
    const double iconSize = std::max(1.0, std::min({cellHeight - labelRoom, cellWidth - 14, icon}));

    return {.columns = columns,
            .rows = rows,
            .width = width,
            .cellWidth = cellWidth,
            .cellHeight = cellHeight,
            .iconSize = iconSize};
}

namespace paging {

int pageCount(int itemCount, int capacity) {
    if (itemCount <= 0 || capacity <= 0)
        return 0;
    return (itemCount + capacity - 1) / capacity;
}

int shownPageCount(int itemCount, int capacity) {
    return std::max(pageCount(itemCount, capacity), 1);
}

int currentPage(int requestedPage, int shownPages) {
    return std::clamp(requestedPage, 0, std::max(shownPages - 1, 0));
}

std::pair<int, int> dotRange(int current, int count) {
    return {std::max(current - 3, 0), std::min(current + 4, count)};
}

} // namespace paging

namespace swipe {

namespace {
bool inRange(int page, int shownPages) {
    return page >= 0 && page < shownPages;
}
int neighbour(double translation, int page) {
    return translation < 0 ? page + 1 : page - 1;
}
} // namespace

double trackedOffset(double translation, int page, int shownPages, double pageWidth) {
    const double offset =
        inRange(neighbour(translation, page), shownPages) ? translation : 0.23 * translation;
    return std::clamp(offset, -std::abs(pageWidth), std::abs(pageWidth));
}

bool turnsPage(double translation, double velocity, double pageWidth) {
    const double travel = std::abs(translation);
    if (travel >= std::min(0.15 * pageWidth, 96.0))
        return true;
    return travel >= 28 && std::abs(velocity) >= 8 && translation * velocity > 0;
}

int target(double translation, double velocity, int page, int shownPages, double pageWidth) {
    const int next = neighbour(translation, page);
    if (turnsPage(translation, velocity, pageWidth) && inRange(next, shownPages))
        return next;
    return page;
}

} // namespace swipe

} // namespace orbitdeck
