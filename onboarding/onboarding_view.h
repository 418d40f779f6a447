#pragma once

#include "onboarding/onboarding_layout_choice.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace orbitdeck {

// One showing of the first-run guide: the page, the direction of the last page change and the
// starting layout picked on the last page. The shortcut, theme and start mode the pages offer
// are the window's own settings, written the moment they are picked; the layout choice reaches
// nothing until the guide is finished with it. A new showing starts from a new object.
class OnboardingView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the onboarding presenter for each showing")
    Q_PROPERTY(int step READ step NOTIFY stepChanged FINAL)
    Q_PROPERTY(bool forward READ forward NOTIFY forwardChanged FINAL)
    Q_PROPERTY(int steps READ steps CONSTANT FINAL)
    Q_PROPERTY(bool launchpadAvailable READ launchpadAvailable CONSTANT FINAL)
    // "launchpad", "tidy" or "keep".
    Q_PROPERTY(QString layoutChoice READ layoutChoiceName NOTIFY layoutChoiceChanged FINAL)

public:
    using Finish = std::function<void(std::optional<OnboardingLayoutChoice>)>;
    static constexpr int stepCount = 4;

    OnboardingView(bool launchpadAvailable, Finish finish, QObject* parent = nullptr);

    int step() const { return step_; }
    bool forward() const { return forward_; }
    int steps() const { return stepCount; }
    bool launchpadAvailable() const { return launchpadAvailable_; }
    OnboardingLayoutChoice layoutChoice() const { return layoutChoice_; }
    QString layoutChoiceName() const;
    bool finished() const { return finished_; }

    // "Back" (false, -1) and "Continue" (true, +1); the page stays within the guide.
    Q_INVOKABLE void go(bool forward, int by);
    // False, changing nothing, for an unknown name or the import without a launcher database.
    Q_INVOKABLE bool chooseLayout(const QString& choice);
    // "Skip": ends the guide with no choice.
    Q_INVOKABLE void skip();
    // "Get Started": ends the guide with the layout choice.
    Q_INVOKABLE void getStarted();
    // Return: "Continue", or "Get Started" on the last page.
    Q_INVOKABLE void defaultAction();
    // Escape: "Skip" on the first page; nothing on the others.
    Q_INVOKABLE void cancelAction();

signals:
    void stepChanged();
    void forwardChanged();
    void layoutChoiceChanged();

private:
    void end(std::optional<OnboardingLayoutChoice> choice);

    bool launchpadAvailable_;
    Finish finish_;
    int step_ = 0;
    bool forward_ = true;
    OnboardingLayoutChoice layoutChoice_;
    bool finished_ = false;
};

} // namespace orbitdeck
