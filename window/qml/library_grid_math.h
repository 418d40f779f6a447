#pragma once

#include <QObject>
#include <QSize>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The grid's geometry and paging arithmetic for the views, and their pictures' pixel sizes.
class LibraryGridMath : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // columns, rows, width, cellWidth, cellHeight, iconSize, capacity, pageHeight
    Q_INVOKABLE QVariantMap metrics(qreal width, qreal height, int customColumns, int customRows,
                                    qreal baseIconSize, bool scrolling) const;
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
    // The whole pixels an image source is decoded at to cover width × height (an Image's
    // sourceSize; Qt.size would be a QSizeF).
    Q_INVOKABLE QSize pixelSize(qreal width, qreal height) const;
};

} // namespace orbitdeck
