#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The few process-level actions the views trigger.
class ViewServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // Empties the process-wide icon cache (the manual refresh).
    Q_INVOKABLE void clearIconCache();
    // The skin the views draw: "auto" follows the desktop's light or dark look (night when
    // the desktop does not say); the others are themselves.
    Q_INVOKABLE QString resolvedSkin(const QString& skin) const;
    // Starts a shell that waits for this process to end and starts the program again; quits.
    Q_INVOKABLE void restart();
};

} // namespace orbitdeck
