#pragma once

namespace orbitdeck {

// Whether a session bus is known to exist: its address in the environment (also as the bus
// that started this program by activation), or the bus socket in $XDG_RUNTIME_DIR. Asking Qt
// for the session bus otherwise may start a bus of its own (autolaunch), which a launcher under
// a bare X server must not do.
bool sessionBusAdvertised();

} // namespace orbitdeck
