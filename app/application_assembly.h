#pragma once

#include "window/app_entry.h"

#include <memory>

namespace orbitdeck {

class CommandLayer;
class LayoutOperations;
class OnboardingPresenter;

// The application state with every module's operations, and what the views and the executable
// use of them directly.
struct AssembledApplication {
    std::unique_ptr<AppEntry> entry;
    CommandLayer* commands = nullptr;
    LayoutOperations* layoutOps = nullptr;
    OnboardingPresenter* onboarding = nullptr;
};

// The one call of the executable: makes the modules' operations and hands the window the
// implementations of its extension points.
AssembledApplication assembleApplication(AppEntry::Seams seams);

} // namespace orbitdeck
