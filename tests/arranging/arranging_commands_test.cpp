#include "arranging_fixture.h"

#include "window/stored_library_data.h"

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

using ArrangingCommands = ArrangingTest;

TEST_F(ArrangingCommands, LaunchRecordsAndStoresOrRaisesTheAlert) {
    harness->launchSucceeds = false;
    window->search()->setQuery("B");
    launching().launchApp(QString::fromStdString(item("B").payload));
    EXPECT_EQ(window->lifecycle()->failedApp(), "B");
    EXPECT_TRUE(window->library()->launchCounts().empty());
    EXPECT_TRUE(harness->stored(WindowSettings::countKey).isEmpty());
    EXPECT_EQ(harness->presentation.hides, 0);

    harness->launchSucceeds = true;
    window->selection()->setOpenFolder(FolderID{"some-folder"});
    launching().openFromTile(QString::fromStdString(item("B").payload));
    harness->clockOffsetSeconds = 60;
    launching().launchApp(QString::fromStdString(item("B").payload));
    const auto dates = decodeRecentUse(harness->stored(WindowSettings::lastOpenedKey));
    EXPECT_DOUBLE_EQ(secondsSinceReferenceDate(dates.at(item("B").payload)),
                     static_cast<double>(fixedUnixSeconds + 60 - 978307200));
    EXPECT_EQ(harness->stored(WindowSettings::lastOpenedKey),
              QByteArray(R"({"bundle:com.example.b":788918460.0})"));
    EXPECT_EQ(harness->stored(WindowSettings::countKey),
              QByteArray(R"({"bundle:com.example.b":2})"));
    EXPECT_TRUE(window->search()->query().isEmpty());
    EXPECT_FALSE(window->selection()->openFolder());
    EXPECT_EQ(harness->presentation.hides, 2);
    EXPECT_FALSE(harness->presentation.lastHideImmediate);

    // A count already at the top of its range stays there.
    constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
    window->library()->setLaunchCounts({{item("B").payload, most}});
    launching().launchApp(QString::fromStdString(item("B").payload));
    EXPECT_EQ(window->library()->launchCounts().at(item("B").payload), most);
}

TEST_F(ArrangingCommands, EscapeWalksTheCascadeInOrder) {
    window->search()->setQuery("x"); // first: a query change clears selections
    window->selection()->setArranging(true);
    window->selection()->setOpenFolder(FolderID{"f"});
    window->lifecycle()->setAppearanceOpen(true);
    window->selection()->setMultiSelection({item("A"), item("B")});
    window->selection()->setSelectedItem(item("A"));

    EXPECT_TRUE(commands().handleKey(LibraryKey::escape));
    EXPECT_TRUE(window->selection()->multiSelection().empty());
    EXPECT_TRUE(window->selection()->selectedItem()) << "only the multi-selection goes";

    const auto escape = [&] { return commands().handleKey(LibraryKey::escape); };
    EXPECT_TRUE(escape());
    EXPECT_FALSE(window->selection()->selectedItem());
    EXPECT_FALSE(window->lifecycle()->appearanceOpen());
    EXPECT_TRUE(window->selection()->openFolder());
    EXPECT_TRUE(escape());
    EXPECT_FALSE(window->selection()->openFolder());
    EXPECT_TRUE(window->selection()->arranging());
    EXPECT_TRUE(escape());
    EXPECT_FALSE(window->selection()->arranging());
    EXPECT_EQ(window->search()->query(), "x");
    EXPECT_TRUE(escape());
    EXPECT_TRUE(window->search()->query().isEmpty());
    EXPECT_EQ(harness->presentation.hides, 0);
    EXPECT_TRUE(escape());
    EXPECT_EQ(harness->presentation.hides, 1);

    // In the first-run guide only Escape is taken: it finishes the guide.
    window->lifecycle()->setOnboardingOpen(true);
    EXPECT_FALSE(commands().handleKey(LibraryKey::right));
    EXPECT_TRUE(escape());
    EXPECT_TRUE(window->settings()->onboarded());
    EXPECT_FALSE(window->lifecycle()->onboardingOpen());
    harness->scheduler.advance(300ms);
    EXPECT_EQ(window->lifecycle()->pendingMode(), LibraryStartup::fullscreen);
}

TEST_F(ArrangingCommands, ArrowsMoveTheSelectionAcrossPages) {
    window->paging()->setNavCapacity(4);
    window->paging()->setNavColumns(2);
    EXPECT_TRUE(commands().handleKey(LibraryKey::left));
    EXPECT_EQ(window->selection()->selectedItem(), item("A")) << "the current page's first";
    commands().handleKey(LibraryKey::down);
    commands().handleKey(LibraryKey::right);
    EXPECT_EQ(window->selection()->selectedItem(), item("D"));
    EXPECT_TRUE(commands().handleKey(LibraryKey::right));
    EXPECT_EQ(window->selection()->selectedItem(), item("E"));
    EXPECT_EQ(window->paging()->page(), 1);
    EXPECT_EQ(window->paging()->direction(), "trailing");
    commands().handleKey(LibraryKey::right);
    commands().handleKey(LibraryKey::right);
    EXPECT_EQ(window->selection()->selectedItem(), item("F")) << "the last item stays";
    commands().handleKey(LibraryKey::up);
    commands().handleKey(LibraryKey::up);
    EXPECT_EQ(window->selection()->selectedItem(), item("B"));
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_EQ(window->paging()->direction(), "leading");

    // Typing: right and left belong to the search field until something is selected.
    window->search()->setQuery("e");
    EXPECT_FALSE(window->selection()->selectedItem());
    EXPECT_FALSE(commands().handleKey(LibraryKey::right));
    EXPECT_TRUE(commands().handleKey(LibraryKey::down));
    EXPECT_EQ(window->selection()->selectedItem(), item("E")) << "the only hit";

    // Return opens the selected, visible application.
    EXPECT_TRUE(commands().handleKey(LibraryKey::enter));
    EXPECT_EQ(harness->launched, std::vector{item("E").payload});

    // Return on a folder tile opens that folder; the selection it came from is cleared first.
    ASSERT_TRUE(operations().createFolder(item("A"), item("B"), true));
    const LayoutItem folder = window->layout()->layout().pageItems().front();
    window->selection()->setSelectedItem(folder);
    EXPECT_TRUE(commands().handleKey(LibraryKey::enter));
    EXPECT_EQ(window->selection()->openFolder(), folder.folderID());
    EXPECT_FALSE(window->selection()->selectedItem());
    window->selection()->setOpenFolder(std::nullopt);
    window->selection()->setOpenFolder(FolderID{"f"});
    EXPECT_FALSE(commands().handleKey(LibraryKey::left)) << "not while a folder is open";
}

TEST_F(ArrangingCommands, CommandZOnlyWithABlankQueryAndNoOpenFolder) {
    EXPECT_FALSE(commands().handleKey(LibraryKey::undo)) << "nothing to undo";
    undo().hide(item("C").payload);
    window->search()->setQuery("a");
    EXPECT_FALSE(commands().handleKey(LibraryKey::undo));
    window->search()->setQuery("  ");
    window->selection()->setOpenFolder(FolderID{"f"});
    EXPECT_FALSE(commands().handleKey(LibraryKey::undo));
    window->selection()->setOpenFolder(std::nullopt);
    EXPECT_TRUE(commands().handleKey(LibraryKey::undo));
    EXPECT_TRUE(window->library()->hiddenIDs().empty());
}

TEST_F(ArrangingCommands, HidingAndUndoingEveryKind) {
    window->selection()->setSelectedItem(item("C"));
    undo().hide(item("C").payload);
    // The English table shows the key people press here.
    EXPECT_EQ(window->toasts()->text(), "“C” hidden · Ctrl+Z");
    EXPECT_FALSE(window->selection()->selectedItem());
    EXPECT_EQ(harness->stored(WindowSettings::hiddenKey), R"(["bundle:com.example.c"])");
    EXPECT_EQ(window->tiles()->count(), 5);
    undo().hide(std::string("bundle:not.installed"));
    EXPECT_EQ(window->toasts()->text(), "“” hidden · Ctrl+Z");
    EXPECT_EQ(window->library()->hiddenAppRows().size(), 1u) << "only installed ones are listed";

    // Hidden: the set from before comes back.
    undo().undo();
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{item("C").payload});
    EXPECT_EQ(window->toasts()->text(), "Undone");

    // Unhide all from the settings is one step.
    undo().unhideWithUndo("");
    EXPECT_TRUE(window->library()->hiddenIDs().empty());
    undo().undo();
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{item("C").payload});

    // Layout: the stored bytes from before, assigned and written back.
    const QByteArray before = harness->stored(WindowSettings::layoutKey);
    operations().createFolder(item("A"), item("B"), true);
    window->toasts()->dismissToast();
    undo().undo();
    EXPECT_EQ(page(), "A B C D E F");
    EXPECT_EQ(harness->stored(WindowSettings::layoutKey), before);
    EXPECT_EQ(window->toasts()->text(), "Undone");

    // Backup: layout, hidden set and sort come back in one step.
    window->settings()->setSortValue(LibrarySort::name);
    window->pushUndo(LibraryUndo{LibraryUndo::Backup{
        .data = R"({"items":[{"application":{"_0":"bundle:com.example.f"}}],"folders":[]})",
        .ids = {item("A").payload},
        .sort = LibrarySort::nameReverse}});
    undo().undo();
    EXPECT_EQ(page(), "F A B C D E");
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::nameReverse);
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{item("A").payload});

    // Uninstall: a failed move back reports and consumes the step.
    const AppDescriptor gone = app("Gone", "com.example.gone");
    const std::size_t steps = window->undoStack().size();
    harness->moveError = QStringLiteral("denied");
    window->pushUndo(LibraryUndo{
        LibraryUndo::Uninstall{.app = gone, .trashURL = "/trash/Gone.app", .data = "{}"}});
    undo().undo();
    EXPECT_EQ(window->lifecycle()->uninstallError(), "Gone: denied");
    EXPECT_EQ(window->undoStack().size(), steps) << "the step is consumed";

    harness->moveError.reset();
    const QByteArray stored =
        R"({"items":[{"application":{"_0":"bundle:com.example.gone"}}],"folders":[]})";
    window->pushUndo(LibraryUndo{
        LibraryUndo::Uninstall{.app = gone, .trashURL = "/trash/Gone.app", .data = stored}});
    auto apps = window->library()->apps();
    apps.push_back(gone);
    harness->catalog.setApps(apps);
    undo().undo();
    EXPECT_EQ(harness->moves.back().second, gone.bundleURL());
    EXPECT_EQ(window->toasts()->text(), "“Gone” restored");
    EXPECT_EQ(harness->stored(WindowSettings::layoutKey), stored);
    ASSERT_TRUE(harness->waitUntil([&] { return window->library()->app(gone.id()) != nullptr; }));
    EXPECT_EQ(window->layout()->pageItems().front(), LayoutItem::application(gone.id()))
        << "it returns to its old place";
}

TEST_F(ArrangingCommands, ThirtyOneStepsLeaveThirty) {
    for (int step = 0; step < 31; ++step)
        undo().hide("bundle:extra." + std::to_string(step));
    EXPECT_EQ(window->undoStack().size(), 30u);
    while (!window->undoStack().empty())
        undo().undo();
    // The very first hide can no longer be undone.
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{"bundle:extra.0"});
}

TEST_F(ArrangingCommands, ToggleShowsOrDismisses) {
    harness->presentation.shown = true;
    window->selection()->setMultiSelection({item("A")});
    window->search()->setQuery("abc");
    emit window->toggleRequested();
    EXPECT_EQ(harness->presentation.hides, 1);
    EXPECT_TRUE(window->search()->query().isEmpty());
    EXPECT_TRUE(window->selection()->multiSelection().empty());

    // Fading out: the toggle shows it again.
    harness->presentation.shown = true;
    harness->presentation.hiding = true;
    harness->presentation.window = false;
    commands().toggleLibrary();
    EXPECT_EQ(harness->presentation.shows, 1);
    EXPECT_EQ(harness->presentation.opens, 1);
    EXPECT_TRUE(window->search()->searchFocused());
}

TEST_F(ArrangingCommands, PageTurnsStayInRangeAndAnimateOnlyWhenFluid) {
    LaunchFlow& flow = launching();
    flow.goToPage(-1, 0, 3);
    flow.goToPage(3, 0, 3);
    flow.goToPage(0, 0, 3);
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_EQ(window->paging()->direction(), "trailing");

    flow.goToPage(2, 0, 3);
    EXPECT_EQ(window->paging()->page(), 2);
    EXPECT_TRUE(window->paging()->animatePageChange());
    window->settings()->setEffectsValue(LibraryEffects::reduced);
    flow.goToPage(1, 2, 3);
    EXPECT_EQ(window->paging()->page(), 1);
    EXPECT_EQ(window->paging()->direction(), "leading");
    EXPECT_FALSE(window->paging()->animatePageChange());
}
