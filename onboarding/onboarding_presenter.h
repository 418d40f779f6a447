#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "onboarding/onboarding_finish.h"
#endif

#include "onboarding/onboarding_view.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

class AmbergridWindow;
class LibraryOrganizer;

// Shows the first-run guide while the window's onboardingOpen is set: each showing gets a fresh
// OnboardingView, told whether the system launcher's database is there at that moment, whose
// finish is finishOnboarding.
class OnboardingPresenter : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by installOnboardingGuide")
    // The guide being shown; null while it is closed.
    Q_PROPERTY(orbitdeck::OnboardingView* guide READ guide NOTIFY guideChanged FINAL)

public:
    OnboardingPresenter(AmbergridWindow& window, OnboardingActions actions,
                        QObject* parent = nullptr);

    OnboardingView* guide() const { return guide_; }
    void finish(std::optional<OnboardingLayoutChoice> choice);

signals:
    void guideChanged();

private:
    void followOpenFlag();

    AmbergridWindow& window_;
    OnboardingActions actions_;
    QPointer<OnboardingView> guide_;
};

// The presenter, owned by the window, with the organiser's import and organise actions.
OnboardingPresenter* installOnboardingGuide(AmbergridWindow& window, LibraryOrganizer& organizer);

} // namespace orbitdeck
