#pragma once

#include <utility>

namespace orbitdeck {

// What the grid's geometry depends on: the area it fills and the grid settings.
struct LibraryGridInput {
    double width = 0;
    double height = 0;
    int customColumns = 0; // 0 = the standard 7
    int customRows = 0;    // 0 = the standard 5
    double baseIconSize = 62;
    bool scrolling = false;
};

// Geometry of the grid, made anew at each layout and handed to every cell and drop decision.
struct LibraryGridMetrics {
    int columns = 7;
    int rows = 5;
    double width = 0;
    double cellWidth = 0;
    double cellHeight = 0;
    double iconSize = 0;

    static constexpr double columnSpacing = 18;
    static constexpr double rowSpacing = 14;
    static constexpr double pageBarHeight = 52;

    static LibraryGridMetrics make(const LibraryGridInput& input);

    int capacity() const { return columns * rows; }
    // Height of one page of the grid (rows and the gaps between them).
    double pageHeight() const { return rows * cellHeight + (rows - 1) * rowSpacing; }
};

// Paging arithmetic of the grid and its page bar.
namespace paging {

int pageCount(int itemCount, int capacity);
int shownPageCount(int itemCount, int capacity);
int currentPage(int requestedPage, int shownPages);
// Half-open range [first, last) of the page dots shown around the current page: at most seven.
std::pair<int, int> dotRange(int current, int count);

} // namespace paging

// Swipe paging: how far the page follows a finger and when a released swipe turns the page.
namespace swipe {

// Offset of the current page while the swipe is tracked; a rubber band where no neighbour exists.
double trackedOffset(double translation, int page, int shownPages, double pageWidth);
// Whether a released swipe turns the page (a long enough travel, or a short flick along it).
bool turnsPage(double translation, double velocity, double pageWidth);
// The page the swipe settles on.
int target(double translation, double velocity, int page, int shownPages, double pageWidth);

} // namespace swipe

} // namespace orbitdeck
