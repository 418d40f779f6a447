#include "settings/layout_organizer.h"

#include "platform/main_thread.h"
#include "settings/organization_cases.h"
#include "window/ambergrid_window.h"

namespace orbitdeck {

LayoutOrganizer::LayoutOrganizer(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {}

void LayoutOrganizer::performOrganization(const QString& organization) {
    if (const std::optional<LibraryOrganization> value =
            enumFromRawValue<LibraryOrganization>(organization))
        perform(*value);
}

bool LayoutOrganizer::canPerform(const QString& organization) const {
    const std::optional<LibraryOrganization> value =
        enumFromRawValue<LibraryOrganization>(organization);
    return value && changesLayout(*value);
}

bool LayoutOrganizer::perform(LibraryOrganization organization) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!changesLayout(organization))
        return false;
    std::vector<LayoutItem> sorted;
    if (organization == LibraryOrganization::sortByName)
        sorted = window_.visible().sortedItems(window_.layout()->pageItems(),
                                               std::string(librarySortRawValue(LibrarySort::name)));
    LayoutTextSet utilities;
    for (const std::string& id : window_.library()->utilityIDs())
        utilities.insert(id);
    window_.updateLayout(true, [&](LibraryLayout& layout) {
        return applyOrganization(organization, layout, sorted, utilities);
    });
    window_.settings()->setSort(rawValue(LibrarySort::manual));
    window_.paging()->setPage(0);
    return true;
}

void installLayoutOrganizer(AmbergridWindow& window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window.organizer() == nullptr)
        window.attachExtensions(nullptr, nullptr, new LayoutOrganizer(window, &window));
}

} // namespace orbitdeck
