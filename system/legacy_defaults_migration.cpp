#include "system/legacy_defaults_migration.h"

#include "platform/defaults_domains.h"
#include "platform/defaults_store.h"
#include "platform/main_thread.h"
#include "window/library_settings_keys.h"

namespace orbitdeck {

void migrateLegacyDefaults(DefaultsStore& standard,
                           const std::function<LegacySuite()>& openLegacy) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QString flag = settings::migrated.key();
    if (standard.boolValue(flag).value_or(false))
        return;
    const LegacySuite legacy = openLegacy();
    if (legacy.unreadable)
        return;
    DefaultsDictionary copied;
    if (legacy.store)
        for (const auto& [key, value] : legacy.store->dictionary())
            if (key.startsWith(QLatin1String("ambergrid.")) && !standard.holdsEntry(key))
                copied.emplace(key, value);
    copied.insert_or_assign(flag, true);
    standard.setValues(copied);
}

void migrateLegacyDefaults(DefaultsStore& standard) {
    migrateLegacyDefaults(standard, [] {
        LegacySuite suite{
            .store = DefaultsStore::openExistingDomain(QString::fromLatin1(legacyDefaultsDomain)),
            .unreadable = false};
        // Unreadable leaves the store empty and read-only; a file moved aside as unparsable
        // has been kept and counts as read.
        suite.unreadable = suite.store && !suite.store->isWritable();
        return suite;
    });
}

} // namespace orbitdeck
