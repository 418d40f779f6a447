#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace orbitdeck {

// What the executable and the launcher window's views tell each other: the executable says
// when the views load and when the library first reached the screen and reports swipes; the
// views say whether a menu is open and where a swipe turns pages.
class ViewHost : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // True while the views load, before the window shows: symbols then decode off the main
    // thread, and are in by the first frame; later ones draw at once.
    Q_PROPERTY(bool loadingViews READ loadingViews NOTIFY loadingViewsChanged FINAL)
    // A frame has shown the loaded library: what that frame did not need is made now.
    Q_PROPERTY(bool libraryShown READ libraryShown NOTIFY libraryShownChanged FINAL)
    // An open menu, alert or sheet takes the keys before the window's key handling.
    Q_PROPERTY(bool menuOpen READ menuOpen WRITE setMenuOpen NOTIFY menuOpenChanged FINAL)
    // A swipe over the page area turns pages, unless the folder backdrop is shown over it.
    Q_PROPERTY(QQuickItem* pageArea READ pageArea WRITE setPageArea NOTIFY pageAreaChanged FINAL)
    Q_PROPERTY(QQuickItem* folderCover READ folderCover WRITE setFolderCover NOTIFY
                   folderCoverChanged FINAL)

public:
    // No default constructor: QML then makes its singleton through create().
    explicit ViewHost(QObject* parent);

    // The host QML gets from now on; without one each engine makes its own, idle one.
    static void provide(ViewHost* host);
    static ViewHost* create(QQmlEngine* qml, QJSEngine* js);

    bool loadingViews() const { return loadingViews_; }
    void setLoadingViews(bool value);
    bool libraryShown() const { return libraryShown_; }
    void setLibraryShown(bool value);
    bool menuOpen() const { return menuOpen_; }
    void setMenuOpen(bool value);
    QQuickItem* pageArea() const { return pageArea_; }
    void setPageArea(QQuickItem* item);
    QQuickItem* folderCover() const { return folderCover_; }
    void setFolderCover(QQuickItem* item);

    // Whether a swipe at a point of the window turns the grid's pages.
    bool turnsPagesAt(QPointF scenePoint) const;

signals:
    void loadingViewsChanged();
    void libraryShownChanged();
    void menuOpenChanged();
    void pageAreaChanged();
    void folderCoverChanged();
    // The window's swipe monitor: the travel so far, and where and how fast it ended.
    void swipeMoved(double travel);
    void swipeEnded(double travel, double velocity);

private:
    bool loadingViews_ = false;
    bool libraryShown_ = false;
    bool menuOpen_ = false;
    QPointer<QQuickItem> pageArea_;
    QPointer<QQuickItem> folderCover_;
};

} // namespace orbitdeck
