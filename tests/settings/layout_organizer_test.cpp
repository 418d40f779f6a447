#include "settings/layout_organizer.h"

#include "../arranging/arranging_fixture.h"
#include "onboarding/sorted_items.h"

namespace orbitdeck::testing {
namespace {

// A loaded window with the arranging operations, name sorting and applications A…F listed out
// of order.
class LayoutOrganizerTest : public ArrangingTest {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(
            std::vector<WindowHarness::Extension>{installArranging, installSortedItems});
        std::vector<AppDescriptor> apps;
        for (const char* name : {"D", "B", "F", "A", "E", "C"})
            apps.push_back(app(name, std::string("com.example.") + name));
        harness->catalog.setApps(apps);
        window = &harness->load();
    }
};

TEST_F(LayoutOrganizerTest, LayoutActionsCommitWithUndoAndResetSortAndPage) {
    installLayoutOrganizer(*window);
    QObject* organizer = window->organizer();
    ASSERT_NE(organizer, nullptr);
    auto& layoutOrganizer = *qobject_cast<LayoutOrganizer*>(organizer);

    window->settings()->setSort("frequency");
    window->paging()->setPage(1);
    ASSERT_EQ(page(), "D B F A E C");
    const int undoBefore = window->layout()->undoCount();
    QMetaObject::invokeMethod(organizer, "performOrganization", Q_ARG(QString, "sortByName"));
    EXPECT_EQ(page(), "A B C D E F");
    EXPECT_EQ(window->settings()->sort(), "manual") << "the sort picker then shows Manual";
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_EQ(window->layout()->undoCount(), undoBefore + 1);

    window->settings()->setSort("name");
    EXPECT_TRUE(layoutOrganizer.perform(LibraryOrganization::sortByName));
    EXPECT_EQ(window->settings()->sort(), "manual") << "also when the layout did not change";
    EXPECT_EQ(window->layout()->undoCount(), undoBefore + 1) << "no change, no undo step";

    ASSERT_TRUE(operations().createFolder(item("E"), item("B"), true));
    ASSERT_EQ(page(), "A [BE] C D F");
    EXPECT_TRUE(layoutOrganizer.perform(LibraryOrganization::foldersLast));
    EXPECT_EQ(page(), "A C D F [BE]");
    EXPECT_TRUE(layoutOrganizer.perform(LibraryOrganization::ungroup));
    EXPECT_EQ(page(), "A C D F B E");
    undo().undo();
    EXPECT_EQ(page(), "A C D F [BE]") << "one undo brings the folders back";
}

TEST_F(LayoutOrganizerTest, FileAndGuideActionsAreLeftToTheirOwnOrganiser) {
    installLayoutOrganizer(*window);
    auto& organizer = *qobject_cast<LayoutOrganizer*>(window->organizer());
    for (const char* action : {"exportLayout", "importLayout", "welcome", "Export", ""})
        EXPECT_FALSE(organizer.canPerform(action)) << action;
    for (const char* action : {"systemUtilities", "sortByName", "foldersFirst", "ungroup"})
        EXPECT_TRUE(organizer.canPerform(action)) << action;

    window->settings()->setSort("recent");
    organizer.performOrganization("exportLayout");
    EXPECT_EQ(window->settings()->sort(), "recent") << "unavailable actions change nothing";

    // An organiser already attached (the onboarding module's) is kept.
    auto* attached = new QObject(window);
    window->attachExtensions(nullptr, nullptr, attached);
    installLayoutOrganizer(*window);
    EXPECT_EQ(window->organizer(), attached);
}

} // namespace
} // namespace orbitdeck::testing
