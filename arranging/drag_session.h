#pragma once
// The window's side of a tile drag, for QML: a press on a tile becomes a drag once arranging is
// on and the pointer has moved, the drag follows the pointer over the whole window, and hovers
// and drops on tiles, page edges and the folder panel go to the drag rules and the layout
// operations.
#include "arranging/folder_geometry.h"
#include "window/tile_id.h"
#include "window/wiggle_motion.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <memory>

class QJSEngine;
class QQmlEngine;
class QQuickWindow;

namespace orbitdeck {

class AmbergridWindow;
class DragPointer;
class LayoutOperations;
struct LayoutItem;
struct DragRules;

// QML's LiveDrag singleton: the session installLiveDrag made.
class DragSession : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(LiveDrag)
    QML_SINGLETON
    Q_PROPERTY(bool dragging READ dragging NOTIFY draggingChanged FINAL)
    Q_PROPERTY(QString draggingItem READ draggingItem NOTIFY draggingChanged FINAL)
    // The pointer in window coordinates while dragging.
    Q_PROPERTY(QPointF pointer READ pointer NOTIFY pointerChanged FINAL)
    // What the proxy shows: the pressed tile's icon and size.
    Q_PROPERTY(QString proxyIcon READ proxyIcon NOTIFY draggingChanged FINAL)
    Q_PROPERTY(double proxySize READ proxySize NOTIFY draggingChanged FINAL)
    // What the drag carries, made when it starts: the item as the library-item JSON, and an
    // application's bundle with the name it suggests. The proxy hands them to drop targets.
    Q_PROPERTY(QString payload READ payload NOTIFY draggingChanged FINAL)
    Q_PROPERTY(QUrl appUrl READ appUrl NOTIFY draggingChanged FINAL)
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY draggingChanged FINAL)
    // The same for other applications, by content type: the library-item JSON, and for an
    // application its location as a text/uri-list, so a file manager or panel makes a launcher.
    Q_PROPERTY(QVariantMap outgoingData READ outgoingData NOTIFY draggingChanged FINAL)
    // The pointer took the drag out of the window: the platform's drag carries it now.
    Q_PROPERTY(bool draggingOut READ draggingOut NOTIFY draggingOutChanged FINAL)
    Q_PROPERTY(bool leadingEdgeLit READ leadingEdgeLit NOTIFY edgesChanged FINAL)
    Q_PROPERTY(bool trailingEdgeLit READ trailingEdgeLit NOTIFY edgesChanged FINAL)

public:
    // A press must travel this far before it becomes a drag, in points.
    static constexpr double dragDistance = 10;

    DragSession(AmbergridWindow& window, LayoutOperations& operations, QObject* parent = nullptr);
    ~DragSession() override;
    static DragSession* create(QQmlEngine* qml, QJSEngine* js);

    bool dragging() const;
    QString draggingItem() const;
    QPointF pointer() const { return pointer_; }
    QString proxyIcon() const { return proxyIcon_; }
    double proxySize() const { return proxySize_; }
    QString payload() const { return payload_; }
    QUrl appUrl() const { return appUrl_; }
    QString suggestedName() const { return suggestedName_; }
    QVariantMap outgoingData() const;
    bool draggingOut() const { return draggingOut_; }
    bool leadingEdgeLit() const;
    bool trailingEdgeLit() const;

    // Follows the pointer over this window.
    Q_INVOKABLE void attach(QQuickWindow* window);
    // A left press on a tile, in window coordinates. Grid tiles drag only in arranging mode,
    // the open folder's tiles (anyMode) always.
    Q_INVOKABLE void pressTile(const QString& key, QPointF scenePosition, const QString& icon,
                               double iconSize, bool anyMode = false);

    // A drag over a grid tile (x, y in the tile; w, h, s its width, height and icon size).
    Q_INVOKABLE void hoverTile(const QString& key, double x, double y, double w, double h,
                               double s);
    Q_INVOKABLE void leaveTile(const QString& key);
    Q_INVOKABLE bool dropOnTile(const QString& key, double x, double y, double w, double h,
                                double s);

    // The platform's drag begun on dragOutRequested has ended, wherever it was dropped.
    Q_INVOKABLE void dragOutEnded();

    Q_INVOKABLE void edgeTargeted(bool trailing, bool targeted);
    // Drops on a page edge or a page dot place the item named by the payload the drag carries
    // (the proxy's), as the first tile of a page; a drag without one is refused.
    Q_INVOKABLE bool dropOnEdge(bool trailing, const QString& payload);
    Q_INVOKABLE bool dropOnPageDot(int page, const QString& payload);

    // The open folder's panel.
    Q_INVOKABLE void hoverFolderBackdrop(const QString& folderID);
    Q_INVOKABLE void hoverFolderPanel();
    Q_INVOKABLE bool dropOnFolderBackdrop(const QString& folderID);
    Q_INVOKABLE bool dropOnFolderPanel();
    Q_INVOKABLE bool dropInFolder(const QString& key, double x, double cellWidth);
    Q_INVOKABLE orbitdeck::FolderGeometry folderGeometry(int shownCount, int gridColumns,
                                                         double iconSize) const;
    Q_INVOKABLE QList<orbitdeck::TileId> shownFolderItems(const QString& folderID) const;
    // The title a folder shows (its display name).
    Q_INVOKABLE QString folderTitle(const QString& folderID) const;
    // Opens a folder growing from the point given in window coordinates.

    // The jiggle of a tile in arranging mode: "duration" of one swing and "delay" before the
    // first, in milliseconds; the swing's "angle" in degrees and "lift" in points.
    Q_INVOKABLE orbitdeck::WiggleMotion wiggleTiming(const QString& key) const;

signals:
    void draggingChanged();
    void pointerChanged();
    void edgesChanged();
    // The drag was released: the proxy drops on what lies under it.
    void dropRequested();
    // The pointer left the window while dragging: the proxy hands the drag to the platform.
    void dragOutRequested();
    void draggingOutChanged();

private:
    void pointerMoved(QPointF scenePosition, bool leftButtonDown);
    void pointerReleased();
    void releasePress();
    void endDrag();
    void mirrorState();
    void offer(const LayoutItem& item);
    void goToPage(int target);
    bool dropFirstOnPage(const LayoutItem& item, int page);
    // A page edge's drop: on the page it turned to, else on the neighbour step pages away.
    bool dropOnEdgePage(const LayoutItem& item, bool didAdvance, int step);
    // A folder opened by a click on its tile grows from where it was pressed.
    void anchorOpenedFolder();

    AmbergridWindow& window_;
    LayoutOperations& operations_;
    DragPointer* pointerWatch_;
    std::unique_ptr<DragRules> rules_;
    QString pressedKey_;
    QPointF pressedAt_;
    QString pressedIcon_;
    double pressedSize_ = 0;
    bool pressedAnyMode_ = false;
    QString lastPressedKey_;
    QPointF lastPressedAt_;
    QPointF pointer_;
    QString proxyIcon_;
    double proxySize_ = 0;
    QString payload_;
    QUrl appUrl_;
    QString suggestedName_;
    QString mirroredDragging_;
    bool draggingOut_ = false;
};

// Makes the session and registers it for QML as the singleton LiveDrag of Orbitdeck.Arranging.
void installLiveDrag(AmbergridWindow& window, LayoutOperations& operations);

} // namespace orbitdeck
