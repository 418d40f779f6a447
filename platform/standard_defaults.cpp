#include "platform/standard_defaults.h"

#include "platform/defaults_domains.h"
#include "platform/main_thread.h"

namespace orbitdeck {

DefaultsStore& standardDefaults() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    static const std::unique_ptr<DefaultsStore> store =
        DefaultsStore::openDomain(QString::fromLatin1(appDefaultsDomain));
    return *store;
}

} // namespace orbitdeck
