#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace orbitdeck {

// Where the launcher window is on the desktop: its screen and the current workspace, which is
// what desktops that keep a picture per screen or per workspace need to pick it.
struct DesktopPlace {
    QString screenName;  // the output's name, such as "eDP-1"; empty when unknown
    int screenIndex = 0; // 0 for the primary screen, then the others from left to right
    QSize screenSize;    // in device pixels
    int workspace = 0;   // the current workspace, from 0
    friend bool operator==(const DesktopPlace&, const DesktopPlace&) = default;
};

} // namespace orbitdeck
