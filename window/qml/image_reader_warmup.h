#pragma once

namespace orbitdeck {

// Finds and loads Qt's image format plugins on a worker thread. The first image read in the
// process pays for that (tens of milliseconds); started early, it overlaps the loading of the
// views instead of stalling the first icon or picture read on the main or image loader thread.
void warmImageReadersInBackground();

} // namespace orbitdeck
