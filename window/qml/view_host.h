#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include <optional>

class QJSEngine;
class QQmlEngine;
class QWindow;

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
    // The window has had its first input (a pointer moved, a key, wheel or touch): what only
    // input needs is made from here on.
    Q_PROPERTY(bool inputSeen READ inputSeen NOTIFY inputSeenChanged FINAL)
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
    bool inputSeen() const { return inputSeen_; }
    void setInputSeen(bool value);
    // Sets inputSeen at the window's first input.
    void watchFirstInput(QWindow* window);
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
    void inputSeenChanged();
    void menuOpenChanged();
    void pageAreaChanged();
    void folderCoverChanged();
    // The window's swipe monitor: the travel so far, and where and how fast it ended.
    void swipeMoved(double travel);
    void swipeEnded(double travel, double velocity);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool loadingViews_ = false;
    bool inputSeen_ = false;
    // Where the pointer was when the window first saw it: mapping a window under a resting
    // pointer sends a move that nobody made.
    std::optional<QPointF> restingPointer_;
    bool libraryShown_ = false;
    bool menuOpen_ = false;
    QPointer<QQuickItem> pageArea_;
    QPointer<QQuickItem> folderCover_;
};

} // namespace orbitdeck
