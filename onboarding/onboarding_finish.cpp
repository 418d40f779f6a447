#include "onboarding/onboarding_finish.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

namespace orbitdeck {

namespace {

void reportLaunchpadImport(AmbergridWindow& window, std::optional<int> found) {
    if (!found || *found < 1) {
        window.showToast(localized(QStringLiteral("No Launchpad layout found"), window.language()));
        return;
    }
    window.showToast(localizedFormat(QStringLiteral("Imported %lld apps from Launchpad · ⌘Z"),
                                     window.language(), {static_cast<qint64>(*found)}));
}

void importFromLaunchpad(AmbergridWindow& window, const OnboardingActions& actions) {
    if (!actions.importLaunchpadLayout)
        return reportLaunchpadImport(window, std::nullopt);
    actions.importLaunchpadLayout(
        [&window](std::optional<int> found) { reportLaunchpadImport(window, found); });
}

void tidyUp(const OnboardingActions& actions) {
    if (!actions.performOrganization)
        return;
    actions.performOrganization(LibraryOrganization::sortByName);
    actions.performOrganization(LibraryOrganization::systemUtilities);
}

} // namespace

void finishOnboarding(AmbergridWindow& window, const OnboardingActions& actions,
                      std::optional<OnboardingLayoutChoice> choice, QObject* context) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window.settings()->setOnboarded(true);
    window.lifecycle()->setOnboardingOpen(false);
    if (choice == OnboardingLayoutChoice::launchpad)
        importFromLaunchpad(window, actions);
    else if (choice == OnboardingLayoutChoice::tidy)
        tidyUp(actions);
    window.scheduler().schedule(startModeAfterGuide, context, [&window] {
        window.lifecycle()->setPendingMode(window.settings()->startModeValue());
        emit window.lifecycle()->applyPendingStartupModeRequested();
    });
}

} // namespace orbitdeck
