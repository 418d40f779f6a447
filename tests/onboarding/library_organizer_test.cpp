#include "../window/window_state_harness.h"

#include "arranging/arranging_install.h"
#include "arranging/command_layer.h"
#include "arranging/undo_actions.h"
#include "onboarding/backup_file_chooser.h"
#include "onboarding/layout_backup.h"
#include "onboarding/library_organizer.h"
#include "onboarding/sorted_items.h"
#include "support/temp_home.h"

#include "../support/fifo_trap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <tuple>

#include <gtest/gtest.h>

using namespace orbitdeck;
using namespace orbitdeck::testing;
using namespace std::chrono_literals;

namespace {

class FakeChooser final : public BackupFileChooser {
public:
    void chooseSaveLocation(const QString& name, Answer answer) override {
        suggested = name;
        answer(file);
    }
    void chooseFileToOpen(Answer answer) override { answer(file); }

    std::optional<std::filesystem::path> file;
    QString suggested;
};

class OrganizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(std::vector<WindowHarness::Extension>{
            [this](AmbergridWindow& window) { undo_ = installArranging(window).undo; },
            installSortedItems});
        harness->catalog.setApps({app("Delta", "com.d"), app("Beta", "com.b"),
                                  app("Alpha", "com.a"), app("Console", "com.console")});
        window = &harness->load();
        window->library()->setUtilityIDs({appID("com.console")});
        organizer = std::make_unique<LibraryOrganizer>(*window, files);
    }

    std::filesystem::path file(const char* name) const {
        return std::filesystem::path(harness->home.filePath(name).toStdString());
    }
    void write(const char* name, const QByteArray& bytes) {
        QFile out(QString::fromStdString(file(name).string()));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray read(const std::filesystem::path& path) {
        QFile in(QString::fromStdString(path.string()));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    UndoActions& undo() { return *undo_; }
    QByteArray storedLayout() const { return harness->stored(WindowSettings::layoutKey); }
    // Chooses the file and waits for the background read to be applied.
    void importBackup() {
        organizer->importLayoutBackup();
        EXPECT_TRUE(harness->waitUntil([&] { return !organizer->readingBackup(); }));
    }

    std::unique_ptr<WindowHarness> harness;
    AmbergridWindow* window = nullptr;
    UndoActions* undo_ = nullptr;
    FakeChooser files;
    std::unique_ptr<LibraryOrganizer> organizer;
};

} // namespace

TEST_F(OrganizerTest, LayoutActionsRecordUndoOnlyForAChangeAndAlwaysResetSortAndPage) {
    const auto names = [&] {
        std::vector<std::string> ids;
        for (const std::string& id : harness->pageIDs())
            ids.push_back(window->library()->app(id) ? window->library()->app(id)->displayName()
                                                     : "[folder]");
        return ids;
    };
    window->settings()->setSortValue(LibrarySort::recent);
    window->paging()->setPage(2);
    organizer->performOrganization(LibraryOrganization::sortByName);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Console", "Delta"}));
    EXPECT_EQ(window->undoStack().size(), 1u);
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::manual);
    EXPECT_EQ(window->paging()->page(), 0);

    // Already in name order, and no folders to move: nothing recorded, sort and page still reset.
    for (const LibraryOrganization action :
         {LibraryOrganization::sortByName, LibraryOrganization::foldersFirst,
          LibraryOrganization::foldersLast, LibraryOrganization::ungroup}) {
        const std::string name = organizationName(action).toStdString();
        window->settings()->setSortValue(LibrarySort::frequency);
        window->paging()->setPage(1);
        organizer->performOrganization(action);
        EXPECT_EQ(window->undoStack().size(), 1u) << name;
        EXPECT_EQ(window->settings()->sortValue(), LibrarySort::manual) << name;
        EXPECT_EQ(window->paging()->page(), 0) << name;
    }

    organizer->performOrganization(LibraryOrganization::systemUtilities);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "[folder]", "Delta"}));
    organizer->performOrganization(LibraryOrganization::foldersFirst);
    EXPECT_EQ(names().front(), "[folder]");
    organizer->performOrganization(LibraryOrganization::ungroup);
    EXPECT_EQ(names(), (std::vector<std::string>{"Console", "Alpha", "Beta", "Delta"}));
    EXPECT_EQ(window->undoStack().size(), 4u);
    EXPECT_TRUE(organizer->canPerform(LibraryOrganization::importLayout));
    EXPECT_EQ(window->undoStack().size(), 4u);

    // The guide's tidy start: name order, then the utilities gathered where they stand.
    const auto tidy = [&] {
        organizer->performOrganization(LibraryOrganization::sortByName);
        organizer->performOrganization(LibraryOrganization::systemUtilities);
    };
    tidy();
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "[folder]", "Delta"}));
    EXPECT_EQ(window->undoStack().size(), 6u);
    // The folder "Other" now sorts by its title; once settled, tidy changes nothing.
    tidy();
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "[folder]"}));
    EXPECT_EQ(window->undoStack().size(), 7u);
    tidy();
    EXPECT_EQ(window->undoStack().size(), 7u);
}

TEST_F(OrganizerTest, FlowActionsCloseTheSheetAndActAfterTheirDelays) {
    window->lifecycle()->setAppearanceOpen(true);
    organizer->performOrganization(LibraryOrganization::welcome);
    EXPECT_FALSE(window->lifecycle()->appearanceOpen());
    harness->scheduler.advance(249ms);
    EXPECT_FALSE(window->lifecycle()->onboardingOpen());
    harness->scheduler.advance(1ms);
    EXPECT_TRUE(window->lifecycle()->onboardingOpen());

    // Export and import wait 0.2 s; the menus' welcome command reaches the organiser too.
    files.file = file("later.json");
    window->lifecycle()->setAppearanceOpen(true);
    organizer->performOrganization(LibraryOrganization::exportLayout);
    EXPECT_FALSE(window->lifecycle()->appearanceOpen());
    harness->scheduler.advance(199ms);
    EXPECT_FALSE(std::filesystem::exists(*files.file));
    harness->scheduler.advance(1ms);
    EXPECT_TRUE(std::filesystem::exists(*files.file));
    EXPECT_TRUE(window->lifecycle()->appearanceOpen()) << "the sheet is back after the dialog";

    installOrganizer(*window);
    window->lifecycle()->setOnboardingOpen(false);
    window->actions()->handleLibraryCommand(LibraryCommand::welcome);
    harness->scheduler.advance(250ms);
    EXPECT_TRUE(window->lifecycle()->onboardingOpen());
}

TEST_F(OrganizerTest, ExportThenImportRestoresArrangementHiddenSetAndSortInOneUndo) {
    organizer->performOrganization(LibraryOrganization::systemUtilities);
    window->storeHidden({appID("com.b"), "bundle:elsewhere"});
    window->settings()->setSortValue(LibrarySort::nameReverse);
    const QByteArray exportedLayout = storedLayout();
    const std::vector<std::string> exportedPage = harness->pageIDs();

    files.file = file("picked name.json");
    organizer->exportLayoutBackup();
    EXPECT_EQ(files.suggested, "Orbitdeck Layout 2026-01-01.json");
    EXPECT_EQ(window->toasts()->text(), "Layout exported · picked name.json");
    const QByteArray bytes = read(*files.file);
    const auto backup = decodeLayoutBackup(bytes.toStdString());
    ASSERT_TRUE(backup);
    EXPECT_EQ(QByteArray::fromStdString(backup->layout), exportedLayout);
    EXPECT_EQ(backup->hidden, (std::vector<std::string>{"bundle:com.b", "bundle:elsewhere"}));
    EXPECT_EQ(backup->sort, "nameReverse");

    // Change everything, then bring the backup back.
    organizer->performOrganization(LibraryOrganization::ungroup);
    window->storeHidden({});
    window->settings()->setSortValue(LibrarySort::added);
    window->paging()->setPage(3);
    const QByteArray changedLayout = storedLayout();
    const std::size_t undoBefore = window->undoStack().size();

    importBackup();
    EXPECT_EQ(harness->pageIDs(), exportedPage);
    EXPECT_EQ(window->library()->hiddenIDs(), (HiddenIDs{appID("com.b"), "bundle:elsewhere"}));
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::nameReverse);
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_EQ(window->undoStack().size(), undoBefore + 1);
    EXPECT_EQ(window->toasts()->text(), "Layout imported · 1 not installed · Ctrl+Z");

    undo().undo();
    EXPECT_EQ(storedLayout(), changedLayout);
    EXPECT_TRUE(window->library()->hiddenIDs().empty());
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::added);
}

TEST_F(OrganizerTest, BadBackupsShowTheErrorAndChangeNothing) {
    window->settings()->setSortValue(LibrarySort::name);
    window->storeHidden({appID("com.a")});
    const QByteArray layoutBefore = storedLayout();
    const std::size_t undoBefore = window->undoStack().size();
    const auto unchanged = [&](const char* what) {
        EXPECT_EQ(window->lifecycle()->uninstallError(),
                  "This file isn’t a Orbitdeck layout backup.")
            << what;
        EXPECT_EQ(organizer->backupError(), window->lifecycle()->uninstallError()) << what;
        // The alert names the import, not a move to the Trash.
        EXPECT_EQ(window->lifecycle()->errorTitle(), "Couldn’t import the layout") << what;
        EXPECT_EQ(storedLayout(), layoutBefore) << what;
        EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{appID("com.a")}) << what;
        EXPECT_EQ(window->settings()->sortValue(), LibrarySort::name) << what;
        EXPECT_EQ(window->undoStack().size(), undoBefore) << what;
        window->lifecycle()->setUninstallError(QString());
    };
    write("future.json", R"({"appVersion":"9","exportedAt":"2030-01-01T00:00:00Z","format":2,
                             "hidden":[],"layout":""})");
    files.file = file("future.json");
    importBackup();
    unchanged("format 2");
    write("garbage.json", "\x89PNG\r\n");
    files.file = file("garbage.json");
    importBackup();
    unchanged("not JSON");
    files.file = file("missing.json");
    importBackup();
    unchanged("missing file");

    // A cancelled chooser shows nothing at all.
    files.file.reset();
    importBackup();
    organizer->exportLayoutBackup();
    EXPECT_TRUE(window->lifecycle()->uninstallError().isEmpty());
    EXPECT_TRUE(window->toasts()->text().isEmpty());

    // Layout bytes that are not a stored layout still import: every installed app, sort kept.
    write("odd.json", R"({"appVersion":"1","exportedAt":"2026-05-04T09:30:00Z","format":0,
                          "hidden":[],"layout":"bm90IGEgbGF5b3V0","sort":"sideways"})");
    files.file = file("odd.json");
    importBackup();
    EXPECT_EQ(harness->pageIDs().size(), 4u);
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::name);
    EXPECT_EQ(window->toasts()->text(), "Layout imported · Ctrl+Z");

    // A write that fails reports the system's reason and leaves no toast.
    window->toasts()->dismissToast();
    files.file = file("no-such-folder/out.json");
    organizer->exportLayoutBackup();
    EXPECT_FALSE(window->lifecycle()->uninstallError().isEmpty());
    EXPECT_EQ(window->lifecycle()->errorTitle(), "Couldn’t export the layout");
    EXPECT_TRUE(window->toasts()->text().isEmpty());
    // A failed move to the Trash, which sets only the text, has its own title again.
    int changes = 0;
    QObject::connect(window->lifecycle(), &WindowLifecycle::uninstallErrorChanged,
                     [&changes] { ++changes; });
    window->lifecycle()->setUninstallError(QStringLiteral("Notes: no Trash"));
    EXPECT_EQ(window->lifecycle()->errorTitle(), "Couldn’t move the app to the Trash");
    // The same text under another title is news to the alert.
    window->lifecycle()->showError(QStringLiteral("Couldn’t export the layout"),
                                   QStringLiteral("Notes: no Trash"));
    EXPECT_EQ(window->lifecycle()->errorTitle(), "Couldn’t export the layout");
    EXPECT_EQ(changes, 2);
}

TEST_F(OrganizerTest, BackupsAreReadOffTheMainThreadAndNeverFromASpecialFile) {
    window->storeHidden({appID("com.a")});
    {
        SCOPED_TRACE("a FIFO chosen as the backup");
        FifoTrap trap(file("pipe.json"));
        ASSERT_TRUE(trap.made());
        files.file = file("pipe.json");
        importBackup();
        EXPECT_FALSE(trap.rescued()) << "the read waited for a writer";
        EXPECT_EQ(window->lifecycle()->uninstallError(),
                  "This file isn’t a Orbitdeck layout backup.");
        EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{appID("com.a")});
        window->lifecycle()->setUninstallError(QString());
    }
    {
        SCOPED_TRACE("a large backup: the window answers while it is decoded");
        std::string hidden;
        for (int i = 0; i < 200000; ++i)
            hidden += (i ? ",\"bundle:gone." : "\"bundle:gone.") + std::to_string(i) + "\"";
        write("large.json",
              QByteArray::fromStdString(R"({"appVersion":"1","exportedAt":"2026-05-04T09:30:00Z",)"
                                        R"("format":1,"layout":"","hidden":[)" +
                                        hidden + "]}"));
        files.file = file("large.json");
        organizer->importLayoutBackup();
        EXPECT_TRUE(organizer->readingBackup());
        EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs{appID("com.a")})
            << "nothing applied before the decode is done";
        organizer->importLayoutBackup(); // a second request while one runs is dropped
        ASSERT_TRUE(harness->waitUntil([&] { return !organizer->readingBackup(); }, 20000));
        EXPECT_EQ(window->library()->hiddenIDs().size(), 200000u);
        EXPECT_EQ(window->toasts()->text(), "Layout imported · 200000 not installed · Ctrl+Z");
    }
}

TEST(QuickBackupFileChooserTest, AnswersOnceAndANewRequestCancelsTheLast) {
    ensureApplication();
    QuickBackupFileChooser chooser;
    std::vector<std::optional<std::filesystem::path>> answers;
    const auto record = [&](std::optional<std::filesystem::path> file) {
        answers.push_back(std::move(file));
    };
    chooser.chooseSaveLocation(QStringLiteral("a.json"), record);
    EXPECT_EQ(chooser.request(), FileRequest::Kind::save);
    EXPECT_EQ(chooser.suggestedName(), "a.json");
    chooser.chooseFileToOpen(record);
    EXPECT_EQ(chooser.request(), FileRequest::Kind::open);
    chooser.answer(QUrl::fromLocalFile(QStringLiteral("/tmp/b.json")).toString());
    EXPECT_EQ(chooser.request(), FileRequest::Kind::none);
    chooser.answer(QUrl::fromLocalFile(QStringLiteral("/tmp/late.json")).toString());
    chooser.chooseFileToOpen(record);
    chooser.answer(QStringLiteral("https://example.com/c.json"));
    // A save answered without a name gets the suggested one in the chosen folder.
    chooser.chooseSaveLocation(QStringLiteral("Suggested.json"), record);
    chooser.answer(QUrl::fromLocalFile(QStringLiteral("/tmp/docs/.json")).toString());
    // Qt's dialogs hand back plain paths too: a save to a typed name without a scheme writes
    // that file (with its suffix added), an open reads the path as given.
    chooser.chooseSaveLocation(QStringLiteral("Suggested.json"), record);
    chooser.answer(QStringLiteral("/tmp/docs/typed name"));
    chooser.chooseFileToOpen(record);
    chooser.answer(QStringLiteral("/tmp/docs/old backup.json"));
    // A relative path is no answer to either.
    chooser.chooseFileToOpen(record);
    chooser.answer(QStringLiteral("relative.json"));
    ASSERT_EQ(answers.size(), 7u);
    EXPECT_FALSE(answers[0]);
    EXPECT_EQ(answers[1], std::filesystem::path("/tmp/b.json"));
    EXPECT_FALSE(answers[2]);
    EXPECT_EQ(answers[3], std::filesystem::path("/tmp/docs/Suggested.json"));
    EXPECT_EQ(answers[4], std::filesystem::path("/tmp/docs/typed name.json"));
    EXPECT_EQ(answers[5], std::filesystem::path("/tmp/docs/old backup.json"));
    EXPECT_FALSE(answers[6]);
}

TEST(QuickBackupFileChooserTest, SavePathTakesTypedNamesWithOrWithoutTheSuffix) {
    const QString suggested = QStringLiteral("Orbitdeck Layout 2026-05-04.json");
    const QString folder = QStringLiteral("/home/u/Documents");
    const QString folderURL = QUrl::fromLocalFile(folder).toString();
    const std::vector<std::tuple<QString, QString, QString>> cases = {
        {folder, QStringLiteral("mine"), QStringLiteral("/home/u/Documents/mine.json")},
        {folder, QStringLiteral("mine.json"), QStringLiteral("/home/u/Documents/mine.json")},
        {folder, QStringLiteral("Mine.JSON"), QStringLiteral("/home/u/Documents/Mine.JSON")},
        {folder, QStringLiteral("mine.txt"), QStringLiteral("/home/u/Documents/mine.txt.json")},
        {folder, QStringLiteral("mine.json.json"), QStringLiteral("/home/u/Documents/mine.json")},
        {folder, QStringLiteral("Mine.JSON.json"), QStringLiteral("/home/u/Documents/Mine.JSON")},
        {folderURL, QStringLiteral("  spaced  "), QStringLiteral("/home/u/Documents/spaced.json")},
        {folder, QString(), QStringLiteral("/home/u/Documents/Orbitdeck Layout 2026-05-04.json")},
        {folder, QStringLiteral(".json"),
         QStringLiteral("/home/u/Documents/Orbitdeck Layout 2026-05-04.json")},
        {folder, QStringLiteral("sub/inner"), QStringLiteral("/home/u/Documents/sub/inner.json")},
        {folder, QStringLiteral("/elsewhere/x"), QStringLiteral("/elsewhere/x.json")},
        {folder, QStringLiteral("file:///elsewhere/y.json"), QStringLiteral("/elsewhere/y.json")},
        {folder, QStringLiteral(".."), QString()},
        {folder, QStringLiteral("sub/"), QString()},
        {QStringLiteral("relative"), QStringLiteral("x"), QString()},
        {QStringLiteral("https://example.com/"), QStringLiteral("x"), QString()},
    };
    for (const auto& [base, typed, expected] : cases)
        EXPECT_EQ(backupSavePath(base, typed, suggested), expected)
            << typed.toStdString() << " in " << base.toStdString();
}

TEST(QuickBackupFileChooserTest, FoldersAndTheStartFolder) {
    ensureApplication();
    TempHome home;
    QuickBackupFileChooser chooser;
    // No documents folder yet: the dialogs open at home; once there is one, there.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(documents).removeRecursively();
    EXPECT_EQ(chooser.startFolder().toLocalFile(), QDir::homePath());
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(chooser.startFolder().toLocalFile(), documents);

    const QString base = QUrl::fromLocalFile(documents).toString();
    const QUrl first = chooser.makeFolder(base, QStringLiteral("New Folder"));
    const QUrl second = chooser.makeFolder(documents, QStringLiteral("New Folder"));
    EXPECT_EQ(first.toLocalFile(), documents + QStringLiteral("/New Folder"));
    EXPECT_EQ(second.toLocalFile(), documents + QStringLiteral("/New Folder 2"));
    EXPECT_TRUE(QFileInfo(second.toLocalFile()).isDir());
    for (const char* bad : {"", "..", "a/b"})
        EXPECT_TRUE(chooser.makeFolder(base, QString::fromLatin1(bad)).isEmpty()) << bad;
    EXPECT_TRUE(chooser.exists(first.toString()));
    EXPECT_TRUE(chooser.exists(first.toLocalFile()));
    EXPECT_FALSE(chooser.exists(documents + QStringLiteral("/none.json")));
}
