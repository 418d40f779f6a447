#pragma once

#include <QString>

namespace orbitdeck {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config (the base directory rules ignore a relative one).
QString configHome();

} // namespace orbitdeck
