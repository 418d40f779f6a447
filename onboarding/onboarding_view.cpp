#include "onboarding/onboarding_view.h"

#include "platform/main_thread.h"

#include <algorithm>

namespace orbitdeck {

OnboardingView::OnboardingView(bool launchpadAvailable, Finish finish, QObject* parent)
    : QObject(parent)
    , launchpadAvailable_(launchpadAvailable)
    , finish_(std::move(finish))
    , layoutChoice_(launchpadAvailable ? OnboardingLayoutChoice::launchpad
                                       : OnboardingLayoutChoice::keep) {}

QString OnboardingView::layoutChoiceName() const {
    const std::string_view name = onboardingLayoutChoiceRawValue(layoutChoice_);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void OnboardingView::go(bool forward, int by) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The direction first, so the page change that follows slides the right way.
    if (forward_ != forward) {
        forward_ = forward;
        emit forwardChanged();
    }
    const int target = std::clamp(step_ + by, 0, stepCount - 1);
    if (target == step_)
        return;
    step_ = target;
    emit stepChanged();
}

bool OnboardingView::chooseLayout(const QString& choice) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<OnboardingLayoutChoice> picked =
        onboardingLayoutChoice(choice.toStdString());
    if (!picked || (*picked == OnboardingLayoutChoice::launchpad && !launchpadAvailable_))
        return false;
    if (layoutChoice_ != *picked) {
        layoutChoice_ = *picked;
        emit layoutChoiceChanged();
    }
    return true;
}

void OnboardingView::skip() {
    end(std::nullopt);
}

void OnboardingView::getStarted() {
    end(layoutChoice_);
}

void OnboardingView::defaultAction() {
    if (step_ < stepCount - 1)
        go(true, 1);
    else
        getStarted();
}

void OnboardingView::cancelAction() {
    if (step_ == 0)
        skip();
}

void OnboardingView::end(std::optional<OnboardingLayoutChoice> choice) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // A second click before the guide has gone would import or tidy a second time.
    if (finished_)
        return;
    finished_ = true;
    if (finish_)
        finish_(choice);
}

} // namespace orbitdeck
