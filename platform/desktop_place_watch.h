#pragma once

#include "platform/desktop_place.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <cstdint>

struct xcb_connection_t;

namespace orbitdeck {

// Follows where a window is: which screen shows it (it moved, screens came, went or changed
// size, the primary one changed) and which workspace is current (_NET_CURRENT_DESKTOP on the
// root window, on X11). Made on the main thread.
class DesktopPlaceWatch final : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit DesktopPlaceWatch(QObject* parent = nullptr);
    ~DesktopPlaceWatch() override;

    // The window whose screen counts; without one, the primary screen does.
    void setWindow(QWindow* window);
    DesktopPlace current() const;

signals:
    void changed();

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void watchScreen(QScreen* screen);

    QPointer<QWindow> window_;
    QMetaObject::Connection windowScreen_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint32_t currentDesktopAtom_ = 0;
};

} // namespace orbitdeck
