#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "catalog-core/app_dates.h"
#include "catalog-core/app_descriptor.h"
#include "library/library_sort.h"
#endif

#include "window/hidden_app.h"

#include <QList>
#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace orbitdeck {

class AppSearchIndex;

using LibraryDate = AppDate;
using RecentUse = AppDates;
using HiddenIDs = std::set<std::string>;

// One hidden application as the settings list it.
struct HiddenAppRow {
    std::string id;
    std::string name;
    friend bool operator==(const HiddenAppRow&, const HiddenAppRow&) = default;
};

// The installed applications and everything kept per application: the list in catalog order,
// the lookup by id, the search index over the visible ones, the hidden set, launch dates and
// counts, dates added and the system utilities.
class LibraryState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(bool loaded READ loaded NOTIFY loadedChanged FINAL)
    Q_PROPERTY(int appCount READ appCount NOTIFY appsChanged FINAL)
    Q_PROPERTY(int hiddenCount READ hiddenCount NOTIFY hiddenChanged FINAL)
    // [{id, name}] of the hidden applications still installed, by name.
    Q_PROPERTY(QList<orbitdeck::HiddenApp> hiddenApps READ hiddenApps NOTIFY hiddenChanged FINAL)

public:
    explicit LibraryState(QObject* parent = nullptr);
    ~LibraryState() override;

    bool loaded() const { return loaded_; }
    void setLoaded();
    int appCount() const { return static_cast<int>(apps_.size()); }
    int hiddenCount() const { return static_cast<int>(hiddenIDs_.size()); }
    QList<HiddenApp> hiddenApps() const;

    const std::vector<AppDescriptor>& apps() const { return apps_; }
    // Replaces the list and rebuilds the lookup tables at once.
    void setApps(std::vector<AppDescriptor> apps);
    // The search index over the applications not in hidden. Touches no state, so a scan can
    // make it off the main thread.
    static std::shared_ptr<const AppSearchIndex> makeIndex(const std::vector<AppDescriptor>& apps,
                                                           const HiddenIDs& hidden);
    // Replaces the list with index made by makeIndex(apps, indexedHidden) beforehand; it is
    // rebuilt instead when the hidden set has changed since.
    void setApps(std::vector<AppDescriptor> apps, std::shared_ptr<const AppSearchIndex> index,
                 const HiddenIDs& indexedHidden);
    std::vector<std::string> appIDs() const;
    const AppDescriptor* app(const std::string& id) const;
    std::optional<std::string> displayName(const std::string& id) const;

    // Ids of the visible applications matching query, best first.
    std::vector<std::string> search(const std::string& query) const;
    // Index over the applications that are not hidden, byID over all (first of a repeat wins).
    void rebuildIndex();

    const HiddenIDs& hiddenIDs() const { return hiddenIDs_; }
    // Installed and not hidden: an application a folder shows, in its icon and its panel.
    bool showsInFolder(const std::string& id) const;
    // Assigns the set and rebuilds the tables; the caller persists it.
    void assignHidden(HiddenIDs ids);
    std::vector<HiddenAppRow> hiddenAppRows() const;

    const RecentUse& recentUse() const { return recentUse_; }
    // Dates and counts order the grid (recent, frequency) and rank search hits.
    void setRecentUse(RecentUse value);
    const LaunchCounts& launchCounts() const { return launchCounts_; }
    void setLaunchCounts(LaunchCounts value);
    const RecentUse& addedDates() const { return addedDates_; }
    void setAddedDates(RecentUse value);
    const std::set<std::string>& utilityIDs() const { return utilityIDs_; }
    void setUtilityIDs(std::set<std::string> value) { utilityIDs_ = std::move(value); }

    Q_INVOKABLE QString displayNameOf(const QString& id) const;
    // The bundle folder of an application, empty when the id is unknown.
    Q_INVOKABLE QString appPath(const QString& id) const;

signals:
    void loadedChanged();
    void appsChanged();
    void hiddenChanged();
    void orderingDataChanged();

private:
    void rebuildLookup();

    std::vector<AppDescriptor> apps_;
    std::unordered_map<std::string, const AppDescriptor*> byID_;
    std::shared_ptr<const AppSearchIndex> index_;
    HiddenIDs hiddenIDs_;
    RecentUse recentUse_;
    LaunchCounts launchCounts_;
    RecentUse addedDates_;
    std::set<std::string> utilityIDs_;
    bool loaded_ = false;
};

} // namespace orbitdeck
