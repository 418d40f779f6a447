#include "app/application_assembly.h"

#include "arranging/arranging_install.h"
#include "arranging/undo_actions.h"
#include "onboarding/backup_file_chooser.h"
#include "onboarding/library_organizer.h"
#include "onboarding/onboarding_presenter.h"
#include "onboarding/sorted_items.h"
#include "window/ambergrid_window.h"

namespace orbitdeck {

AssembledApplication assembleApplication(AppEntry::Seams seams) {
    AssembledApplication assembled;
    const auto install = [&assembled](AmbergridWindow& window) {
        const ArrangingParts arranging = installArranging(window);
        assembled.commands = arranging.commands;
        assembled.layoutOps = arranging.layoutOps;
        window.attachUndoableUnhide(arranging.undo);
        installSortedItems(window);
        const OrganizerParts organizing = installOrganizer(window);
        window.attachOrganizer(organizing.organizer);
        window.attachFiles(organizing.files);
        assembled.onboarding = installOnboardingGuide(window, *organizing.organizer);
    };
    assembled.entry =
        std::make_unique<AppEntry>(std::move(seams), std::vector<AppEntry::Extension>{install});
    return assembled;
}

} // namespace orbitdeck
