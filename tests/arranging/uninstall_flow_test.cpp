#include "tile_actions_fixture.h"

#include "platform/byte_count.h"
#include "platform/disk_usage.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

using namespace orbitdeck;
using namespace orbitdeck::testing;

using UninstallConfirmation = TileActionsTest;
using Uninstall = TileActionsTest;

namespace {

QStringList buttonNames(const QVariantMap& content) {
    QStringList names;
    for (const QVariant& button : content.value(QStringLiteral("buttons")).toList())
        names.push_back(button.toMap().value(QStringLiteral("name")).toString());
    return names;
}

void writeFile(const std::filesystem::path& path, std::size_t bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << std::string(bytes, 'x');
}

// A chain of folders whose path outgrows PATH_MAX, with a file of the given size at the bottom:
// no path reaches it, so it is made and removed level by level through descriptors.
class DeepFolder {
public:
    DeepFolder(const std::filesystem::path& parent, std::size_t bytes)
        : parent_(parent) {
        int folder = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < levels; ++level) {
            ::mkdirat(folder, segment.c_str(), 0755);
            const int next = ::openat(folder, segment.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(folder);
            folder = next;
        }
        const int file = ::openat(folder, "data", O_WRONLY | O_CREAT, 0644);
        const std::string data(bytes, 'x');
        written_ = ::write(file, data.data(), data.size()) == static_cast<ssize_t>(bytes);
        ::close(file);
        ::close(folder);
    }
    ~DeepFolder() {
        std::vector<int> folders{::open(parent_.c_str(), O_RDONLY | O_DIRECTORY)};
        for (int level = 0; level < levels; ++level)
            folders.push_back(::openat(folders.back(), segment.c_str(), O_RDONLY | O_DIRECTORY));
        ::unlinkat(folders.back(), "data", 0);
        for (int level = levels; level > 0; --level) {
            ::close(folders[level]);
            ::unlinkat(folders[level - 1], segment.c_str(), AT_REMOVEDIR);
        }
        ::close(folders.front());
    }
    bool written() const { return written_; }

private:
    static constexpr int levels = 24;
    const std::string segment = std::string(200, 'd');
    std::filesystem::path parent_;
    bool written_ = false;
};

} // namespace

TEST_F(UninstallConfirmation, AsksOnlyForAppsThatMayGoAndNamesTheirLeftovers) {
    trash.refused.insert("A");
    commands().requestUninstall(QString::fromStdString(idOf("A")));
    EXPECT_TRUE(uninstalling().candidateID().isEmpty());

    // No leftovers: "Move to Trash" and "Cancel", the size line, no leftovers paragraph.
    commands().requestUninstall(QString::fromStdString(idOf("B")));
    ASSERT_EQ(uninstalling().candidateID(), QString::fromStdString(idOf("B")));
    QVariantMap content = uninstalling().confirmation();
    EXPECT_EQ(content.value(QStringLiteral("title")), QStringLiteral("Move “B” to the Trash?"));
    EXPECT_EQ(buttonNames(content), QStringList({"trash", "cancel"}));
    EXPECT_TRUE(content.value(QStringLiteral("message")).toString().endsWith("\nSize: 12 MB"));

    // A bundle of unknown size has no size line.
    trash.size.reset();
    content = uninstalling().confirmation();
    EXPECT_FALSE(content.value(QStringLiteral("message")).toString().contains("Size"));

    // Leftovers: both moves, and a paragraph with their number, computed once per request.
    QTemporaryDir library;
    const std::filesystem::path root = library.path().toStdString();
    writeFile(root / "Caches/com.example.C/data", 9000);
    writeFile(root / "Preferences/com.example.C.plist", 10);
    trash.leftovers["C"] = {root / "Caches/com.example.C",
                            root / "Preferences/com.example.C.plist"};
    commands().requestUninstall(QString::fromStdString(idOf("C")));
    content = uninstalling().confirmation();
    EXPECT_EQ(buttonNames(content), QStringList({"leftovers", "appOnly", "cancel"}));
    const QString message = content.value(QStringLiteral("message")).toString();
    EXPECT_TRUE(message.contains("\n\nAlso found 2 leftover items (")) << message.toStdString();
    // The leftovers' size reads in the same style as the app's own size ("12 MB"), not in a
    // second one ("16.4 kB").
    const qint64 leftoverBytes =
        static_cast<qint64>(allocatedTreeSize(root / "Caches/com.example.C") +
                            allocatedTreeSize(root / "Preferences/com.example.C.plist"));
    EXPECT_TRUE(message.contains("(" + formatFileByteCount(leftoverBytes, QLocale()) +
                                 "): caches, preferences"))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QRegularExpression(R"(\(\d+ KB\))"))) << message.toStdString();
    const int scans = trash.leftoverScans;
    uninstalling().confirmation();
    EXPECT_EQ(trash.leftoverScans, scans + 1); // the buttons' list only, not the paragraph

    // Cancel closes without moving anything.
    uninstalling().choose(QStringLiteral("cancel"));
    EXPECT_TRUE(uninstalling().candidateID().isEmpty());
    EXPECT_TRUE(trash.moved.empty());
}

TEST(UninstallTreeSize, CountsEveryItemBeneathAndNothingUnreadable) {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    writeFile(root / "tree/a/.hidden", 20000);
    writeFile(root / "tree/b", 5000);
    EXPECT_GE(allocatedTreeSize(root / "tree"), 25000u);
    EXPECT_GE(allocatedTreeSize(root / "tree/b"), 4096u);
    EXPECT_LT(allocatedTreeSize(root / "tree/b"), allocatedTreeSize(root / "tree"));
    EXPECT_EQ(allocatedTreeSize(root / "missing"), 0u);

    // A folder no path can open is still measured, and special files do not end the walk.
    std::filesystem::create_symlink(root / "nowhere", root / "tree/dangling");
    ASSERT_EQ(::mkfifo((root / "tree/pipe").c_str(), 0644), 0);
    const DeepFolder deep(root / "tree/a", 1 << 20);
    ASSERT_TRUE(deep.written());
    EXPECT_GE(allocatedTreeSize(root / "tree"), 25000u + (1u << 20));
    EXPECT_GE(allocatedSizeBelow(root / "tree").value_or(0), 25000u + (1u << 20));
    EXPECT_FALSE(allocatedSizeBelow(root / "tree/b")) << "a file has nothing below it";
}

TEST_F(Uninstall, MovesTheAppOutOfWindowAndLayoutWithOneUndoStep) {
    ASSERT_TRUE(operations().createFolder(item("C"), item("D"), true));
    ASSERT_TRUE(
        operations().moveOutOfFolder(item("D"), window->layout()->pageItems()[2].folderID(), true));
    ASSERT_EQ(page(), "A B [C] D E F");
    const QByteArray before = harness->stored(WindowSettings::layoutKey);
    trash.leftovers["C"] = {"/home/x/Library/Caches/com.example.C"};

    // "Move App Only" leaves the leftovers; the emptied folder goes with its last tile.
    commands().requestUninstall(QString::fromStdString(idOf("C")));
    uninstalling().choose(QStringLiteral("appOnly"));
    EXPECT_TRUE(uninstalling().candidateID().isEmpty());
    EXPECT_EQ(trash.moved, std::vector<std::string>{"C"});
    ASSERT_EQ(trash.recycled.size(), 1u);
    EXPECT_TRUE(trash.recycled[0].empty());
    EXPECT_EQ(trash.forgotten, std::vector<std::string>{"C"});
    EXPECT_EQ(window->library()->app(idOf("C")), nullptr);
    EXPECT_EQ(page(), "A B D E F");
    EXPECT_EQ(harness->stored(WindowSettings::layoutKey),
              QByteArray::fromStdString(*window->layout()->layout().encodedSnapshot()));
    EXPECT_EQ(window->toasts()->text(), QStringLiteral("“C” moved to the Trash · Ctrl+Z"));
    const auto* step =
        std::get_if<LibraryUndo::Uninstall>(&window->undoStack().entries().back().value);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->trashURL, "/trash/App.app");
    EXPECT_EQ(step->data, before);

    // With leftovers chosen they go too; without a Trash place there is no step and no toast.
    trash.leftovers["E"] = {"/home/x/Library/Caches/com.example.E"};
    trash.trashURL.reset();
    const std::size_t steps = window->undoStack().size();
    commands().requestUninstall(QString::fromStdString(idOf("E")));
    uninstalling().choose(QStringLiteral("leftovers"));
    EXPECT_EQ(trash.recycled.back(), trash.leftovers["E"]);
    EXPECT_EQ(page(), "A B D F");
    EXPECT_EQ(window->undoStack().size(), steps);
}

TEST_F(Uninstall, AFailedMoveReportsAndChangesNothing) {
    trash.error = QStringLiteral("permission denied");
    const std::size_t steps = window->undoStack().size();
    commands().requestUninstall(QString::fromStdString(idOf("B")));
    uninstalling().choose(QStringLiteral("trash"));
    EXPECT_EQ(window->lifecycle()->uninstallError(), QStringLiteral("B: permission denied"));
    EXPECT_EQ(page(), "A B C D E F");
    EXPECT_NE(window->library()->app(idOf("B")), nullptr);
    EXPECT_TRUE(trash.recycled.empty());
    EXPECT_EQ(window->undoStack().size(), steps);
}
