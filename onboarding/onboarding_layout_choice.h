#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace orbitdeck {

// The starting layout picked on the guide's last page.
enum class OnboardingLayoutChoice {
    launchpad, // the system launcher's arrangement, imported
    tidy,      // sorted by name with the system utilities in their folder
    keep,      // the current layout as it is
};

inline constexpr std::array allOnboardingLayoutChoices = {
    OnboardingLayoutChoice::launchpad,
    OnboardingLayoutChoice::tidy,
    OnboardingLayoutChoice::keep,
};

std::string_view onboardingLayoutChoiceRawValue(OnboardingLayoutChoice choice);
// None for a text that names no choice.
std::optional<OnboardingLayoutChoice> onboardingLayoutChoice(std::string_view rawValue);

} // namespace orbitdeck
