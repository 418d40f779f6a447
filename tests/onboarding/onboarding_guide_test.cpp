#include "../window/window_state_harness.h"

#include "launchpad_fixture.h"

#include "arranging/arranging_install.h"
#include "onboarding/library_organizer.h"
#include "onboarding/onboarding_presenter.h"
#include "onboarding/onboarding_view.h"
#include "onboarding/sorted_items.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace orbitdeck;
using namespace orbitdeck::testing;
using namespace std::chrono_literals;

namespace {

using Choice = std::optional<OnboardingLayoutChoice>;

// A loaded window with the guide's presenter, whose import and organise actions are recorded.
class OnboardingGuideTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(std::vector<WindowHarness::Extension>{
            installArranging, installSortedItems, installOrganizer,
            [this](AmbergridWindow& window) {
                presenter =
                    new OnboardingPresenter(window,
                                            {.launchpadAvailable = [this] { return databaseFound; },
                                             .importLaunchpadLayout =
                                                 [this](auto done) {
                                                     ++imports;
                                                     done(imported);
                                                 },
                                             .performOrganization =
                                                 [this](LibraryOrganization organization) {
                                                     organized.push_back(organization);
                                                 }},
                                            &window);
            }});
        harness->catalog.setApps({app("Beta", "beta"), app("Alpha", "alpha")});
        window = &harness->load();
    }

    OnboardingView* open() {
        window->lifecycle()->setOnboardingOpen(true);
        return presenter->guide();
    }

    std::unique_ptr<WindowHarness> harness;
    AmbergridWindow* window = nullptr;
    OnboardingPresenter* presenter = nullptr;
    bool databaseFound = false;
    std::optional<int> imported;
    int imports = 0;
    std::vector<LibraryOrganization> organized;
};

} // namespace

TEST(OnboardingLayoutChoice, RawValuesRoundTripAndUnknownNamesGiveNone) {
    for (OnboardingLayoutChoice choice : allOnboardingLayoutChoices)
        EXPECT_EQ(onboardingLayoutChoice(onboardingLayoutChoiceRawValue(choice)), choice);
    EXPECT_EQ(onboardingLayoutChoiceRawValue(OnboardingLayoutChoice::launchpad), "launchpad");
    EXPECT_FALSE(onboardingLayoutChoice("Keep"));
    EXPECT_FALSE(onboardingLayoutChoice(""));
}

TEST(OnboardingView, PagesStayWithinTheGuideAndRecordTheirDirection) {
    WindowHarness harness; // the application object for the signals
    std::vector<Choice> finished;
    OnboardingView guide(false, [&](Choice choice) { finished.push_back(choice); });
    QSignalSpy steps(&guide, &OnboardingView::stepChanged);
    EXPECT_EQ(guide.step(), 0);
    EXPECT_TRUE(guide.forward());

    guide.go(false, -1);
    EXPECT_EQ(guide.step(), 0);
    EXPECT_FALSE(guide.forward());
    EXPECT_EQ(steps.count(), 0);

    for (int i = 0; i < 5; ++i)
        guide.defaultAction(); // Return: Continue up to the last page, then Get Started
    EXPECT_EQ(guide.step(), 3);
    EXPECT_TRUE(guide.forward());
    ASSERT_EQ(finished.size(), 1u) << "Get Started ends the guide once, however often pressed";
    EXPECT_EQ(finished.front(), OnboardingLayoutChoice::keep);

    guide.go(false, -1);
    EXPECT_EQ(guide.step(), 2);
    EXPECT_FALSE(guide.forward());
    guide.go(true, 10);
    EXPECT_EQ(guide.step(), 3);
}

TEST(OnboardingView, EscapeSkipsOnlyFromTheFirstPage) {
    WindowHarness harness;
    std::vector<Choice> finished;
    OnboardingView guide(true, [&](Choice choice) { finished.push_back(choice); });
    guide.go(true, 1);
    guide.cancelAction();
    EXPECT_TRUE(finished.empty());
    guide.go(false, -1);
    guide.cancelAction();
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_EQ(finished.front(), std::nullopt);
    guide.getStarted();
    EXPECT_EQ(finished.size(), 1u);
}

TEST(OnboardingView, LayoutChoiceStartsFromTheDatabaseAndRefusesAnImportWithoutOne) {
    WindowHarness harness;
    {
        OnboardingView guide(true, {});
        EXPECT_EQ(guide.layoutChoice(), OnboardingLayoutChoice::launchpad);
        EXPECT_TRUE(guide.chooseLayout(QStringLiteral("tidy")));
        EXPECT_EQ(guide.layoutChoiceName(), QStringLiteral("tidy"));
        EXPECT_TRUE(guide.chooseLayout(QStringLiteral("launchpad")));
    }
    {
        std::vector<Choice> finished;
        OnboardingView guide(false, [&](Choice choice) { finished.push_back(choice); });
        EXPECT_EQ(guide.layoutChoice(), OnboardingLayoutChoice::keep);
        EXPECT_FALSE(guide.chooseLayout(QStringLiteral("launchpad")));
        EXPECT_FALSE(guide.chooseLayout(QStringLiteral("everything")));
        EXPECT_EQ(guide.layoutChoice(), OnboardingLayoutChoice::keep);
        guide.getStarted();
        EXPECT_EQ(finished, std::vector<Choice>{OnboardingLayoutChoice::keep});
    }
}

TEST_F(OnboardingGuideTest, EachShowingIsAFreshGuideAskingForTheDatabaseAgain) {
    EXPECT_EQ(presenter->guide(), nullptr);
    OnboardingView* first = open();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->layoutChoice(), OnboardingLayoutChoice::keep);
    first->go(true, 2);
    first->skip();
    EXPECT_EQ(presenter->guide(), nullptr);
    EXPECT_FALSE(window->lifecycle()->onboardingOpen());

    databaseFound = true;
    OnboardingView* second = open();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->step(), 0);
    EXPECT_EQ(second->layoutChoice(), OnboardingLayoutChoice::launchpad);
}

TEST_F(OnboardingGuideTest, FinishingMarksOnboardedAndAppliesTheStartModeLater) {
    window->settings()->setStartModeValue(LibraryStartup::window);
    QSignalSpy applied(window->lifecycle(), &WindowLifecycle::applyPendingStartupModeRequested);
    open()->skip();
    EXPECT_TRUE(window->settings()->onboarded());
    EXPECT_EQ(harness->store->boolValue(QStringLiteral("ambergrid.onboarded.v1")), true);
    EXPECT_FALSE(window->lifecycle()->onboardingOpen());
    EXPECT_EQ(imports, 0);
    EXPECT_TRUE(organized.empty());
    EXPECT_TRUE(window->toasts()->text().isEmpty());

    harness->scheduler.advance(299ms);
    EXPECT_EQ(applied.count(), 0);
    harness->scheduler.advance(1ms);
    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(window->lifecycle()->pendingMode(), LibraryStartup::window);
}

TEST_F(OnboardingGuideTest, EachChoiceActsOnTheLayoutOnlyThroughItsOwnAction) {
    {
        open()->getStarted(); // keep
        EXPECT_EQ(imports, 0);
        EXPECT_TRUE(organized.empty());
    }
    {
        OnboardingView* guide = open();
        guide->chooseLayout(QStringLiteral("tidy"));
        guide->getStarted();
        EXPECT_EQ(organized, (std::vector{LibraryOrganization::sortByName,
                                          LibraryOrganization::systemUtilities}));
        EXPECT_EQ(imports, 0);
    }
    databaseFound = true;
    for (const std::optional<int> found : {std::optional<int>{}, std::optional<int>{0}}) {
        imported = found;
        open()->getStarted(); // launchpad, preselected
        EXPECT_EQ(window->toasts()->text(), QStringLiteral("No Launchpad layout found"));
    }
    imported = 12;
    open()->getStarted();
    EXPECT_EQ(imports, 3);
    EXPECT_EQ(window->toasts()->text().toStdString(), "Imported 12 apps from Launchpad · Ctrl+Z");
}

TEST_F(OnboardingGuideTest, WelcomeCommandClosesTheSettingsAndReopensTheGuide) {
    window->settings()->setOnboarded(true);
    window->lifecycle()->setAppearanceOpen(true);
    window->actions()->handleLibraryCommand(LibraryCommand::welcome);
    EXPECT_FALSE(window->lifecycle()->appearanceOpen());
    EXPECT_EQ(presenter->guide(), nullptr);
    harness->scheduler.advance(249ms);
    EXPECT_FALSE(window->lifecycle()->onboardingOpen());
    harness->scheduler.advance(1ms);
    ASSERT_TRUE(window->lifecycle()->onboardingOpen());
    ASSERT_NE(presenter->guide(), nullptr);
    EXPECT_EQ(presenter->guide()->step(), 0);
}

// The guide as the application assembles it: its import and tidy-up are the organiser's.
TEST(OnboardingGuideInstall, FinishesThroughTheOrganisersImportAndTidyUp) {
    QTemporaryDir darwin;
    qputenv("ORBITDECK_DARWIN_USER_DIR", darwin.path().toLocal8Bit());
    OnboardingPresenter* presenter = nullptr;
    WindowHarness harness(
        {installArranging, installSortedItems, [&presenter](AmbergridWindow& window) {
             presenter = installOnboardingGuide(window, *installOrganizer(window).organizer);
         }});
    harness.catalog.setApps({app("Zed", "zed"), app("Alpha", "alpha"), app("Mid", "mid")});
    AmbergridWindow& window = harness.load();
    ASSERT_NE(presenter, nullptr);
    const auto openGuide = [&] {
        window.lifecycle()->setOnboardingOpen(true);
        return presenter->guide();
    };

    // No database yet: the import is not offered; tidy sorts by name.
    OnboardingView* guide = openGuide();
    EXPECT_FALSE(guide->launchpadAvailable());
    guide->chooseLayout(QStringLiteral("tidy"));
    guide->getStarted();
    EXPECT_EQ(harness.pageIDs(), (std::vector{appID("alpha"), appID("mid"), appID("zed")}));

    // With one, it is offered and chosen at once; Mid, not in it, goes last.
    LaunchpadFixture(std::filesystem::path(darwin.path().toStdString()) /
                     "com.apple.dock.launchpad/db/db")
        .item({1, 1, 0, 0})
        .item({2, 3, 1, 0})
        .item({3, 4, 2, 0})
        .item({4, 4, 2, 1})
        .app(3, "Zed")
        .app(4, "com.elsewhere");
    guide = openGuide();
    EXPECT_TRUE(guide->launchpadAvailable());
    guide->getStarted();
    // The database is read off the main thread; the toast follows once it is applied.
    EXPECT_TRUE(harness.waitUntil([&] { return window.toasts()->text().contains("Launchpad"); }));
    EXPECT_EQ(window.toasts()->text().toStdString(), "Imported 1 apps from Launchpad · Ctrl+Z");
    EXPECT_EQ(harness.pageIDs(), (std::vector{appID("zed"), appID("alpha"), appID("mid")}));
    qunsetenv("ORBITDECK_DARWIN_USER_DIR");
}
