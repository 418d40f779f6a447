#pragma once

#include "library/library_sort_organization.h"
#include "onboarding/onboarding_layout_choice.h"

#include <chrono>
#include <functional>
#include <optional>

class QObject;

namespace orbitdeck {

class AmbergridWindow;

// What finishing the guide needs of the import and the organise actions.
struct OnboardingActions {
    // Whether the system launcher's database is there to import from.
    std::function<bool()> launchpadAvailable;
    // Imports that arrangement and then answers with the applications taken from it; none when
    // nothing could be read.
    std::function<void(std::function<void(std::optional<int>)>)> importLaunchpadLayout;
    std::function<void(LibraryOrganization)> performOrganization;
};

inline constexpr auto startModeAfterGuide = std::chrono::milliseconds(300);

// Marks the user as onboarded, closes the guide, acts on the starting layout and, 0.3 s later,
// brings the window into the stored start mode. No choice means the guide was skipped.
void finishOnboarding(AmbergridWindow& window, const OnboardingActions& actions,
                      std::optional<OnboardingLayoutChoice> choice, QObject* context);

} // namespace orbitdeck
