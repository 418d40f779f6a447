#include "window/qml/library_grid_math.h"

#include "window/library_grid_metrics.h"
#include "window/qml/eased_value.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace orbitdeck {

GridMetrics LibraryGridMath::metrics(qreal width, qreal height, int customColumns, int customRows,
                                     qreal baseIconSize, bool scrolling) const {
    return GridMetrics(LibraryGridMetrics::make({.width = width,
                                                 .height = height,
                                                 .customColumns = customColumns,
                                                 .customRows = customRows,
                                                 .baseIconSize = baseIconSize,
                                                 .scrolling = scrolling}));
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
    return orbitdeck::springProgress(t, response, damping);
}

int LibraryGridMath::springDuration(qreal response, qreal damping) const {
    return orbitdeck::springDuration(response, damping);
}

QVariantList LibraryGridMath::springCurve(qreal response, qreal damping) const {
    QVariantList points;
    for (const QPointF& point : orbitdeck::springCurve(response, damping).toCubicSpline())
        points << point.x() << point.y();
    return points;
}

QVariantList LibraryGridMath::easeInOutCurve() const {
    return {0.42, 0.0, 0.58, 1.0, 1.0, 1.0};
}

qreal LibraryGridMath::fontPoints(qreal size) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96;
    return size * 72 / dpi;
}

QSize LibraryGridMath::pixelSize(qreal width, qreal height) const {
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

} // namespace orbitdeck
