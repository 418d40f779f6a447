#include "onboarding/onboarding_presenter.h"

#include "onboarding/library_organizer.h"
#include "onboarding/onboarding_view.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"

namespace orbitdeck {

OnboardingPresenter::OnboardingPresenter(AmbergridWindow& window, OnboardingActions actions,
                                         QObject* parent)
    : QObject(parent)
    , window_(window)
    , actions_(std::move(actions)) {
    connect(window_.lifecycle(), &WindowLifecycle::onboardingOpenChanged, this,
            &OnboardingPresenter::followOpenFlag);
    followOpenFlag();
}

void OnboardingPresenter::finish(std::optional<OnboardingLayoutChoice> choice) {
    finishOnboarding(window_, actions_, choice, this);
}

void OnboardingPresenter::followOpenFlag() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const bool open = window_.lifecycle()->onboardingOpen();
    if (open == (guide_ != nullptr))
        return;
    if (open) {
        const bool launchpad = actions_.launchpadAvailable && actions_.launchpadAvailable();
        guide_ = new OnboardingView(
            launchpad, [this](std::optional<OnboardingLayoutChoice> choice) { finish(choice); },
            this);
    } else {
        // Later: the guide may be closing from inside its own finish.
        guide_->deleteLater();
        guide_ = nullptr;
    }
    emit guideChanged();
}

OnboardingPresenter* installOnboardingGuide(AmbergridWindow& window, LibraryOrganizer& organizer) {
    OnboardingActions actions{
        .launchpadAvailable = [&organizer] { return organizer.launchpadAvailable(); },
        .importLaunchpadLayout =
            [&organizer](std::function<void(std::optional<int>)> done) {
                organizer.importLaunchpadLayout(std::move(done));
            },
        .performOrganization =
            [&organizer](LibraryOrganization organization) {
                organizer.performOrganization(organization);
            },
    };
    return new OnboardingPresenter(window, std::move(actions), &window);
}

} // namespace orbitdeck
