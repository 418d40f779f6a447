#pragma once

#include <optional>
#include <string_view>

namespace orbitdeck {

// The starting layout chosen in the first-run guide.
enum class OnboardingLayoutChoice {
    launchpad,
    tidy,
    keep,
};

// "launchpad", "tidy" or "keep"; none for anything else (the guide was skipped).
inline std::optional<OnboardingLayoutChoice> onboardingLayoutChoice(std::string_view name) {
    if (name == "launchpad")
        return OnboardingLayoutChoice::launchpad;
    if (name == "tidy")
        return OnboardingLayoutChoice::tidy;
    if (name == "keep")
        return OnboardingLayoutChoice::keep;
    return std::nullopt;
}

} // namespace orbitdeck
