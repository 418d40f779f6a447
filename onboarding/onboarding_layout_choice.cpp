#include "onboarding/onboarding_layout_choice.h"

namespace orbitdeck {

std::string_view onboardingLayoutChoiceRawValue(OnboardingLayoutChoice choice) {
    switch (choice) {
    case OnboardingLayoutChoice::launchpad:
        return "launchpad";
    case OnboardingLayoutChoice::tidy:
        return "tidy";
    case OnboardingLayoutChoice::keep:
        return "keep";
    }
    return "keep";
}

std::optional<OnboardingLayoutChoice> onboardingLayoutChoice(std::string_view rawValue) {
    for (OnboardingLayoutChoice choice : allOnboardingLayoutChoices) {
        if (onboardingLayoutChoiceRawValue(choice) == rawValue)
            return choice;
    }
    return std::nullopt;
}

} // namespace orbitdeck
