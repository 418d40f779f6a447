#pragma once

#include "window/qml/grid_metrics.h"

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// What every tile of the launcher's grid shows alike, set by the window once: a tile reads it
// here, where each look passed on to it cost a binding in every tile, and a look computed per
// tile (the skin's colours) a call in every tile. One per engine, as there is one window.
class TileLooks : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor accent MEMBER accent_ NOTIFY accentChanged FINAL)
    Q_PROPERTY(QColor ink MEMBER ink_ NOTIFY inkChanged FINAL)
    // Setting.LibraryEffects and the desktop's reduce-motion setting.
    Q_PROPERTY(int effects MEMBER effects_ NOTIFY effectsChanged FINAL)
    Q_PROPERTY(bool reduceMotion MEMBER reduceMotion_ NOTIFY reduceMotionChanged FINAL)
    Q_PROPERTY(bool showsLabel MEMBER showsLabel_ NOTIFY showsLabelChanged FINAL)
    Q_PROPERTY(bool folderLabels MEMBER folderLabels_ NOTIFY folderLabelsChanged FINAL)
    // A search is under way: the grid shows its hits.
    Q_PROPERTY(bool searching MEMBER searching_ NOTIFY searchingChanged FINAL)
    // Tiles may be dragged (from the first frame that showed the library on).
    Q_PROPERTY(bool takesDrags MEMBER takesDrags_ NOTIFY takesDragsChanged FINAL)
    Q_PROPERTY(orbitdeck::GridMetrics metrics MEMBER metrics_ NOTIFY metricsChanged FINAL)

public:
    using QObject::QObject;

signals:
    void accentChanged();
    void inkChanged();
    void effectsChanged();
    void reduceMotionChanged();
    void showsLabelChanged();
    void folderLabelsChanged();
    void searchingChanged();
    void takesDragsChanged();
    void metricsChanged();

private:
    // The night skin's.
    QColor accent_ = QColor::fromRgbF(0.49f, 0.89f, 0.81f);
    QColor ink_ = Qt::white;
    int effects_ = 0; // fluid
    bool reduceMotion_ = false;
    bool showsLabel_ = true;
    bool folderLabels_ = true;
    bool searching_ = false;
    bool takesDrags_ = false;
    GridMetrics metrics_;
};

} // namespace orbitdeck
