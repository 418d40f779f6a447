#include "onboarding/onboarding_presenter.h"

#include "onboarding/onboarding_view.h"
#include "onboarding/sorted_items.h"
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
    connect(window_.actions(), &WindowActions::welcomeRequested, this,
            [this] { openWelcomeGuide(window_, this); });
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

namespace {

// The two layout actions of the tidy start, until the organise actions are attached.
void organizeLayout(AmbergridWindow& window, LibraryOrganization organization) {
    const std::vector<LayoutItem> sorted =
        organization == LibraryOrganization::sortByName
            ? sortedItems(window, window.layout()->pageItems(), "name")
            : std::vector<LayoutItem>{};
    const std::set<std::string>& utilities = window.library()->utilityIDs();
    const LayoutTextSet utilityIDs(utilities.begin(), utilities.end());
    window.updateLayout(true, [&](LibraryLayout& layout) {
        return applyOrganization(organization, layout, sorted, utilityIDs);
    });
    window.settings()->setSort(QStringLiteral("manual"));
    window.paging()->setPage(0);
}

} // namespace

void installOnboardingGuide(AmbergridWindow& window) {
    OnboardingActions actions{
        .launchpadAvailable = {},
        .importLaunchpadLayout = {},
        .performOrganization =
            [&window](LibraryOrganization organization) { organizeLayout(window, organization); },
    };
    auto* presenter = new OnboardingPresenter(window, std::move(actions), &window);
    window.attachOnboarding(presenter);
}

} // namespace orbitdeck
