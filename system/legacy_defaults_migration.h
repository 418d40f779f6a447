#pragma once

#include <functional>
#include <memory>

namespace orbitdeck {

class DefaultsStore;

// The one-time copy of the settings an earlier build kept in the legacy suite into the app's
// own domain. Runs before any window exists. Only "ambergrid." keys are copied, and never over
// a value the domain already holds; the flag "orbitdeck.migrated.v1" is stored with them in one
// write, so the copy happens once.
struct LegacySuite {
    // None when there is no legacy suite at all.
    std::unique_ptr<DefaultsStore> store;
    // The suite's file exists but could not be read: it is tried again next time rather than
    // marked done, so the user's old settings are not given up over a passing read error.
    bool unreadable = false;
};

void migrateLegacyDefaults(DefaultsStore& standard, const std::function<LegacySuite()>& openLegacy);
// The same with the legacy suite on disk.
void migrateLegacyDefaults(DefaultsStore& standard);

} // namespace orbitdeck
