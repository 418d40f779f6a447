// Qt Quick tests of the first-run guide's views, with the launcher's view module they build on:
// real guides whose finish is recorded, and real window settings over a throwaway store.
#include "onboarding/onboarding_layout_choice.h"
#include "onboarding/onboarding_view.h"
#include "platform/defaults_store.h"
#include "window/qml/view_engine.h"
#include "window/window_settings.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_OnboardingPlugin)

using namespace orbitdeck;

class Setup : public QObject {
    Q_OBJECT
    // How each guide ended, in order: "skip", or the layout it was started with.
    Q_PROPERTY(QStringList finished MEMBER finished_)

public:
    // A new showing of the guide; it lives as long as the test run.
    Q_INVOKABLE orbitdeck::OnboardingView* makeGuide(bool launchpadAvailable) {
        const auto record = [this](std::optional<OnboardingLayoutChoice> choice) {
            const std::string_view name = choice ? onboardingLayoutChoiceRawValue(*choice) : "skip";
            finished_.append(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        };
        return new OnboardingView(launchpadAvailable, record, this);
    }
    // Every setting back to its default, and no guide finished.
    Q_INVOKABLE void reset() {
        for (const QString& key : store_->keys())
            store_->remove(key);
        finished_.clear();
    }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        prepareViewEngine(*engine);
        store_ = std::make_unique<DefaultsStore>(home_.filePath("orbitdeck.plist"));
        settings_ = std::make_unique<WindowSettings>(*store_);
        engine->rootContext()->setContextProperty(QStringLiteral("testSetup"), this);
        engine->rootContext()->setContextProperty(QStringLiteral("testSettings"), settings_.get());
    }

private:
    QTemporaryDir home_;
    std::unique_ptr<DefaultsStore> store_;
    std::unique_ptr<WindowSettings> settings_;
    QStringList finished_;
};

QUICK_TEST_MAIN_WITH_SETUP(onboarding_ui, Setup)

#include "quick_test_main.moc"
