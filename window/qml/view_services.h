#pragma once

#include <QJSValue>
#include <QObject>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include "window/settings_enum_types.h"

namespace orbitdeck {

// The few process-level actions the views trigger, and a deferred call.
class ViewServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // Counts the desktop's answers; bindings that resolve the skin pass it on to follow them.
    Q_PROPERTY(int desktopRevision READ desktopRevision NOTIFY desktopChanged FINAL)

public:
    explicit ViewServices(QObject* parent = nullptr);

    int desktopRevision() const { return desktopRevision_; }

    // Empties the process-wide icon cache (the manual refresh).
    Q_INVOKABLE void clearIconCache();
    // The skin the views draw ("night", "dusk" or "paper"): auto follows the desktop's light or
    // dark look (night when the desktop does not say, or has not answered yet); the others are
    // themselves.
    Q_INVOKABLE QString resolvedSkin(orbitdeck::setting::LibrarySkin skin,
                                     int desktopRevision = 0) const;
    // The image of an app icon style, for an Image's source.
    Q_INVOKABLE QString appIconSource(orbitdeck::setting::AppIconStyle style) const;
    // Starts a shell that waits for this process to end and starts the program again, then
    // quits; stays running when the shell cannot be started.
    Q_INVOKABLE void restart();
    // The user-initiated software update check; on this platform it opens the download page.
    Q_INVOKABLE void checkForUpdates();
    // Calls function once control is back in the event loop, as Qt.callLater does (which the
    // linter of Qt 6.4 cannot tell from a property); dropped with the engine.
    Q_INVOKABLE void callLater(const QJSValue& function);
    // Runs the polish of item and its descendants now rather than in the next frame: a view
    // filling off screen, a few tiles a step, counts their drawing in the step.
    Q_INVOKABLE void polishNow(QQuickItem* item) const;

signals:
    void desktopChanged();

private:
    int desktopRevision_ = 0;
};

} // namespace orbitdeck
