#pragma once

#include "arranging_fixture.h"

#include "arranging/multi_selection.h"
#include "arranging/tile_menu.h"
#include "arranging/uninstall_flow.h"
#include "window/item_keys.h"

#include <QVariantMap>

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
    void ctrlClick(const char* name) { commands().tileTapped(key(name), Qt::ControlModifier); }
    void shiftClick(const char* name) { commands().tileTapped(key(name), Qt::ShiftModifier); }

    // Entry names in order, "-" for a divider; a submenu as name{children}.
    static std::string names(const QVariantList& entries) {
        std::string text;
        for (const QVariant& value : entries) {
            const QVariantMap entry = value.toMap();
            if (!text.empty())
                text += ' ';
            const QString type = entry.value(QStringLiteral("type")).toString();
            if (type == QLatin1String("separator")) {
                text += '-';
                continue;
            }
            text += entry.value(QStringLiteral("name")).toString().toStdString();
            if (type == QLatin1String("submenu"))
                text += '{' + names(entry.value(QStringLiteral("entries")).toList()) + '}';
        }
        return text;
    }
    static QVariantMap find(const QVariantList& entries, const QString& name) {
        for (const QVariant& value : entries) {
            const QVariantMap entry = value.toMap();
            if (entry.value(QStringLiteral("name")).toString() == name)
                return entry;
            const QVariantMap inner = find(entry.value(QStringLiteral("entries")).toList(), name);
            if (!inner.isEmpty())
                return inner;
        }
        return {};
    }
    // Chooses the named entry of the menu opened on the tile.
    void choose(const QString& tile, const QString& name) {
        const QVariantMap entry = find(menu().entriesFor(tile), name);
        ASSERT_FALSE(entry.isEmpty()) << name.toStdString();
        menu().run(static_cast<MenuAction>(entry.value(QStringLiteral("action")).toInt()), tile,
                   entry.value(QStringLiteral("argument")).toString());
    }
    QString folderKey(std::size_t pageIndex) const {
        return itemKey(window->layout()->pageItems()[pageIndex]);
    }

    FakeTrash trash;
    FakePlaces places;
};

} // namespace orbitdeck::testing
