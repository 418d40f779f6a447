#pragma once

#include "arranging_fixture.h"

#include "arranging/multi_selection.h"
#include "arranging/tile_menu.h"
#include "arranging/uninstall_flow.h"
#include "window/tile_id.h"

#include <optional>

#include <map>
#include <set>

namespace orbitdeck::testing {

class FakeTrash final : public AppTrash {
public:
    bool isUninstallable(const AppDescriptor& app) override {
        return !refused.contains(app.displayName());
    }
    std::vector<std::filesystem::path> leftoverURLs(const AppDescriptor& app) override {
        ++leftoverScans;
        const auto found = leftovers.find(app.displayName());
        return found == leftovers.end() ? std::vector<std::filesystem::path>() : found->second;
    }
    std::optional<QString> formattedSize(const std::filesystem::path&) override { return size; }
    void moveToTrash(const AppDescriptor& app, std::function<void(Moved)> done) override {
        moved.push_back(app.displayName());
        done(Moved{.trashURL = trashURL, .error = error});
    }
    void recycleItems(const std::vector<std::filesystem::path>& items,
                      std::function<void()> done) override {
        recycled.push_back(items);
        done();
    }
    void forget(const AppDescriptor& app) override { forgotten.push_back(app.displayName()); }

    std::set<std::string> refused;
    std::map<std::string, std::vector<std::filesystem::path>> leftovers;
    std::optional<QString> size = QStringLiteral("12 MB");
    std::optional<std::filesystem::path> trashURL = std::filesystem::path("/trash/App.app");
    std::optional<QString> error;
    int leftoverScans = 0;
    std::vector<std::string> moved;
    std::vector<std::vector<std::filesystem::path>> recycled;
    std::vector<std::string> forgotten;
};

class FakePlaces final : public AppPlaces {
public:
    bool canKeepInDock(const std::filesystem::path&) override { return dockable; }
    bool isInDock(const std::filesystem::path& bundle) override { return docked.contains(bundle); }
    void addToDock(const std::filesystem::path& bundle) override { docked.insert(bundle); }
    void removeFromDock(const std::filesystem::path& bundle) override { docked.erase(bundle); }
    bool isRunning(const AppDescriptor& app) override {
        return running.contains(*app.bundleIdentifier());
    }
    void quitFirst(const AppDescriptor& app) override { quits.push_back(*app.bundleIdentifier()); }
    void reveal(const std::filesystem::path& bundle) override { revealed.push_back(bundle); }

    bool dockable = true;
    std::set<std::filesystem::path> docked;
    std::set<std::string> running;
    std::vector<std::string> quits;
    std::vector<std::filesystem::path> revealed;
};

// The arranging window with a fake Trash and fake dock, running list and file manager.
class TileActionsTest : public ArrangingTest {
protected:
    void prepare(WindowHarness& made) override {
        made.trash = &trash;
        made.places = &places;
    }

    TileMenu& menu() { return *qobject_cast<TileMenu*>(commands().tileMenu()); }
    MultiSelection& selecting() { return *qobject_cast<MultiSelection*>(commands().multiSelect()); }
    UninstallFlow& uninstalling() {
        return *qobject_cast<UninstallFlow*>(commands().uninstalling());
    }
    std::set<std::string> selected() const {
        std::set<std::string> names;
        for (const LayoutItem& entry : window->selection()->multiSelection())
            names.insert(QString::fromStdString(entry.payload.substr(19)).toUpper().toStdString());
        return names;
    }
    void ctrlClick(const char* name) { commands().tileTapped(tile(name), Qt::ControlModifier); }
    void shiftClick(const char* name) { commands().tileTapped(tile(name), Qt::ShiftModifier); }

    // Entry names in order, "-" for a divider; a submenu as name{children}.
    static std::string names(const MenuEntries& entries) {
        std::string text;
        for (const MenuEntry& entry : entries) {
            if (!text.empty())
                text += ' ';
            if (entry.kind == MenuEntry::Kind::separator) {
                text += '-';
                continue;
            }
            text += entry.name.toStdString();
            if (entry.kind == MenuEntry::Kind::submenu)
                text += '{' + names(entry.entries) + '}';
        }
        return text;
    }
    static std::optional<MenuEntry> find(const MenuEntries& entries, const QString& name) {
        for (const MenuEntry& entry : entries) {
            if (entry.name == name)
                return entry;
            if (std::optional<MenuEntry> inner = find(entry.entries, name))
                return inner;
        }
        return std::nullopt;
    }
    // Chooses the named entry of the menu opened on the tile.
    void choose(const TileId& tile, const QString& name) {
        const std::optional<MenuEntry> entry = find(menu().entriesFor(tile), name);
        ASSERT_TRUE(entry) << name.toStdString();
        menu().run(static_cast<MenuAction>(entry->action), tile, entry->argument);
    }
    TileId folderTile(std::size_t pageIndex) const {
        return TileId(window->layout()->pageItems()[pageIndex]);
    }
    // The id of the folder at the page index, as menu entry names carry it.
    QString folderID(std::size_t pageIndex) const { return folderTile(pageIndex).id(); }

    FakeTrash trash;
    FakePlaces places;
};

} // namespace orbitdeck::testing
