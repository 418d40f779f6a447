#pragma once

#include <QObject>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The grid's geometry and paging arithmetic for the views.
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
};

} // namespace orbitdeck
