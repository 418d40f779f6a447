#include "app/application_assembly.h"

#include "arranging/arranging_install.h"
#include "onboarding/library_organizer.h"
#include "onboarding/onboarding_presenter.h"
#include "onboarding/sorted_items.h"

namespace orbitdeck {

std::unique_ptr<AppEntry> assembleApplication(AppEntry::Seams seams) {
    return std::make_unique<AppEntry>(std::move(seams), std::vector<AppEntry::Extension>{
                                                            installArranging,
                                                            installSortedItems,
                                                            installOrganizer,
                                                            installOnboardingGuide,
                                                        });
}

} // namespace orbitdeck
