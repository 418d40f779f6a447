#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "arranging/rules/folder_panel.h"
#endif

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The open folder panel's grid as its view reads it: columns, the tile and column sizes, the
// rows and the scrolled area.
class FolderGeometry {
    Q_GADGET
    QML_VALUE_TYPE(folderGeometry)
    Q_PROPERTY(int columns READ columns FINAL)
    Q_PROPERTY(double tile READ tile FINAL)
    Q_PROPERTY(double cell READ cell FINAL)
    Q_PROPERTY(int rows READ rows FINAL)
    Q_PROPERTY(double scrollWidth READ scrollWidth FINAL)
    Q_PROPERTY(double scrollHeight READ scrollHeight FINAL)

public:
    FolderGeometry() = default;
    explicit FolderGeometry(const FolderPanelGeometry& geometry)
        : geometry_(geometry) {}

    int columns() const { return geometry_.columns; }
    double tile() const { return geometry_.tile; }
    double cell() const { return geometry_.cell; }
    int rows() const { return geometry_.rows; }
    double scrollWidth() const { return geometry_.scrollWidth; }
    double scrollHeight() const { return geometry_.scrollHeight; }

    bool operator==(const FolderGeometry&) const = default;

private:
    FolderPanelGeometry geometry_;
};

} // namespace orbitdeck
