#pragma once

namespace orbitdeck {

// The display server of the session. On Wayland the compositor keeps global keys and the
// pointer outside our windows to itself, so only a shortcut bound in the desktop reaches us.
enum class DesktopSession { x11, wayland };

// Wayland when Qt runs on it, or when the session says so (XDG_SESSION_TYPE, WAYLAND_DISPLAY)
// while Qt runs on XWayland.
DesktopSession currentDesktopSession();

} // namespace orbitdeck
