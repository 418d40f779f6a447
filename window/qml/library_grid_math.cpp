#include "window/qml/library_grid_math.h"

#include "window/library_grid_metrics.h"

#include <cmath>

namespace orbitdeck {

QVariantMap LibraryGridMath::metrics(qreal width, qreal height, int customColumns, int customRows,
                                     qreal baseIconSize, bool scrolling) const {
    const auto m = LibraryGridMetrics::make({.width = width,
                                             .height = height,
                                             .customColumns = customColumns,
                                             .customRows = customRows,
                                             .baseIconSize = baseIconSize,
                                             .scrolling = scrolling});
    return {{QStringLiteral("columns"), m.columns},
            {QStringLiteral("rows"), m.rows},
            {QStringLiteral("width"), m.width},
            {QStringLiteral("cellWidth"), m.cellWidth},
            {QStringLiteral("cellHeight"), m.cellHeight},
            {QStringLiteral("iconSize"), m.iconSize},
            {QStringLiteral("capacity"), m.capacity()},
            {QStringLiteral("pageHeight"), m.pageHeight()}};
}

int LibraryGridMath::pageCount(int itemCount, int capacity) const {
    return paging::pageCount(itemCount, capacity);
}

int LibraryGridMath::shownPageCount(int itemCount, int capacity) const {
    return paging::shownPageCount(itemCount, capacity);
}

int LibraryGridMath::currentPage(int requestedPage, int shownPages) const {
    return paging::currentPage(requestedPage, shownPages);
}

int LibraryGridMath::firstDot(int current, int count) const {
    return paging::dotRange(current, count).first;
}

int LibraryGridMath::endDot(int current, int count) const {
    return paging::dotRange(current, count).second;
}

qreal LibraryGridMath::trackedOffset(qreal translation, int page, int shownPages,
                                     qreal pageWidth) const {
    return swipe::trackedOffset(translation, page, shownPages, pageWidth);
}

int LibraryGridMath::swipeTarget(qreal translation, qreal velocity, int page, int shownPages,
                                 qreal pageWidth) const {
    return swipe::target(translation, velocity, page, shownPages, pageWidth);
}

qreal LibraryGridMath::springProgress(qreal t, qreal response, qreal damping) const {
    if (t <= 0 || response <= 0)
        return t <= 0 ? 0 : 1;
    const qreal omega = 2 * M_PI / response;
    if (damping >= 1)
        return 1 - std::exp(-omega * t) * (1 + omega * t);
    const qreal decay = damping * omega;
    const qreal ringing = omega * std::sqrt(1 - damping * damping);
    return 1 -
           std::exp(-decay * t) * (std::cos(ringing * t) + decay / ringing * std::sin(ringing * t));
}

QSize LibraryGridMath::pixelSize(qreal width, qreal height) const {
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

} // namespace orbitdeck
