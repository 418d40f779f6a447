#pragma once

#include "window/library_grid_metrics.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The grid's geometry as the views read it; the empty value is the standard 7 × 5 grid of
// 100 × 96 cells, for a view that has no area yet.
class GridMetrics {
    Q_GADGET
    QML_VALUE_TYPE(gridMetrics)
    Q_PROPERTY(int columns READ columns FINAL)
    Q_PROPERTY(int rows READ rows FINAL)
    Q_PROPERTY(double width READ width FINAL)
    Q_PROPERTY(double cellWidth READ cellWidth FINAL)
    Q_PROPERTY(double cellHeight READ cellHeight FINAL)
    Q_PROPERTY(double iconSize READ iconSize FINAL)
    Q_PROPERTY(int capacity READ capacity FINAL)
    Q_PROPERTY(double pageHeight READ pageHeight FINAL)

public:
    GridMetrics()
        : metrics_{.cellWidth = 100, .cellHeight = 96, .iconSize = 62} {}
    explicit GridMetrics(const LibraryGridMetrics& metrics)
        : metrics_(metrics) {}

    int columns() const { return metrics_.columns; }
    int rows() const { return metrics_.rows; }
    double width() const { return metrics_.width; }
    double cellWidth() const { return metrics_.cellWidth; }
    double cellHeight() const { return metrics_.cellHeight; }
    double iconSize() const { return metrics_.iconSize; }
    int capacity() const { return metrics_.capacity(); }
    double pageHeight() const { return metrics_.pageHeight(); }

    bool operator==(const GridMetrics& other) const {
        return columns() == other.columns() && rows() == other.rows() && width() == other.width() &&
               cellWidth() == other.cellWidth() && cellHeight() == other.cellHeight() &&
               iconSize() == other.iconSize();
    }

private:
    LibraryGridMetrics metrics_;
};

} // namespace orbitdeck
