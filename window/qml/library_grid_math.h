#pragma once

#include "window/qml/grid_metrics.h"

#include <QObject>
#include <QSize>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The grid's geometry and paging arithmetic for the views, and their pictures' pixel sizes.
class LibraryGridMath : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    Q_INVOKABLE orbitdeck::GridMetrics metrics(qreal width, qreal height, int customColumns,
                                               int customRows, qreal baseIconSize,
                                               bool scrolling) const;
    Q_INVOKABLE int pageCount(int itemCount, int capacity) const;
    Q_INVOKABLE int shownPageCount(int itemCount, int capacity) const;
    Q_INVOKABLE int currentPage(int requestedPage, int shownPages) const;
    Q_INVOKABLE int firstDot(int current, int count) const;
    Q_INVOKABLE int endDot(int current, int count) const;
    Q_INVOKABLE qreal trackedOffset(qreal translation, int page, int shownPages,
                                    qreal pageWidth) const;
    Q_INVOKABLE int swipeTarget(qreal translation, qreal velocity, int page, int shownPages,
                                qreal pageWidth) const;
    // How far a spring of the given response (seconds) and damping fraction has gone from its
    // start to its target after t seconds: 0 at the start, settling at 1.
    Q_INVOKABLE qreal springProgress(qreal t, qreal response, qreal damping) const;
    // How long that spring takes to settle within a thousandth of its travel, in milliseconds.
    Q_INVOKABLE int springDuration(qreal response, qreal damping) const;
    // The spring over that duration as an easing.bezierCurve, so any animation can follow it.
    Q_INVOKABLE QVariantList springCurve(qreal response, qreal damping) const;
    // The common ease-in-out curve (0.42, 0, 0.58, 1) as an easing.bezierCurve.
    Q_INVOKABLE QVariantList easeInOutCurve() const;
    // The whole pixels an image source is decoded at to cover width × height (an Image's
    // sourceSize; Qt.size would be a QSizeF).
    Q_INVOKABLE QSize pixelSize(qreal width, qreal height) const;
    // The font point size that draws text size points high, for the sizes between whole pixels
    // (font.pixelSize takes only whole ones).
    Q_INVOKABLE qreal fontPoints(qreal size) const;
};

} // namespace orbitdeck
