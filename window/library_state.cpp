#include "window/library_state.h"

#include "catalog-core/search_index.h"
#include "platform/main_thread.h"

#include <QCollator>

#include <algorithm>

namespace orbitdeck {

LibraryState::LibraryState(QObject* parent)
    : QObject(parent)
    , index_(std::make_shared<const AppSearchIndex>()) {}

LibraryState::~LibraryState() = default;

void LibraryState::setLoaded() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (loaded_)
        return;
    loaded_ = true;
    emit loadedChanged();
}

void LibraryState::setApps(std::vector<AppDescriptor> apps) {
    setApps(std::move(apps), nullptr, {});
}

void LibraryState::setApps(std::vector<AppDescriptor> apps,
                           std::shared_ptr<const AppSearchIndex> index,
                           const HiddenIDs& indexedHidden) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    apps_ = std::move(apps);
    if (index && indexedHidden == hiddenIDs_) {
        rebuildLookup();
        index_ = std::move(index);
    } else {
        rebuildIndex();
    }
    emit appsChanged();
}

std::shared_ptr<const AppSearchIndex>
LibraryState::makeIndex(const std::vector<AppDescriptor>& apps, const HiddenIDs& hidden) {
    std::vector<AppDescriptor> visible;
    visible.reserve(apps.size());
    for (const AppDescriptor& app : apps) {
        if (!hidden.contains(app.id()))
            visible.push_back(app);
    }
    return std::make_shared<const AppSearchIndex>(visible);
}

std::vector<std::string> LibraryState::appIDs() const {
    std::vector<std::string> ids;
    ids.reserve(apps_.size());
    for (const AppDescriptor& app : apps_)
        ids.push_back(app.id());
    return ids;
}

const AppDescriptor* LibraryState::app(const std::string& id) const {
    const auto found = byID_.find(id);
    return found == byID_.end() ? nullptr : found->second;
}

bool LibraryState::showsInFolder(const std::string& id) const {
    return app(id) != nullptr && !hiddenIDs_.contains(id);
}

std::optional<std::string> LibraryState::displayName(const std::string& id) const {
    const AppDescriptor* found = app(id);
    if (!found)
        return std::nullopt;
    return found->displayName();
}

std::vector<std::string> LibraryState::search(const std::string& query) const {
    std::vector<std::string> ids;
    for (const SearchResult& result : index_->search(query, recentUse_))
        ids.push_back(result.id());
    return ids;
}

void LibraryState::rebuildIndex() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    rebuildLookup();
    index_ = makeIndex(apps_, hiddenIDs_);
}

void LibraryState::rebuildLookup() {
    byID_.clear();
    for (const AppDescriptor& app : apps_)
        byID_.emplace(app.id(), &app); // the first of a repeated id stays
}

void LibraryState::assignHidden(HiddenIDs ids) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    hiddenIDs_ = std::move(ids);
    rebuildIndex();
    emit hiddenChanged();
}

std::vector<HiddenAppRow> LibraryState::hiddenAppRows() const {
    std::vector<HiddenAppRow> rows;
    for (const std::string& id : hiddenIDs_) {
        if (const AppDescriptor* found = app(id))
            rows.push_back({.id = id, .name = found->displayName()});
    }
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const HiddenAppRow& a, const HiddenAppRow& b) {
        return collator.compare(QString::fromStdString(a.name), QString::fromStdString(b.name)) < 0;
    });
    return rows;
}

void LibraryState::setRecentUse(RecentUse value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    recentUse_ = std::move(value);
    emit orderingDataChanged();
}

void LibraryState::setLaunchCounts(LaunchCounts value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    launchCounts_ = std::move(value);
    emit orderingDataChanged();
}

void LibraryState::setAddedDates(RecentUse value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    addedDates_ = std::move(value);
    emit orderingDataChanged();
}

QString LibraryState::displayNameOf(const QString& id) const {
    return QString::fromStdString(displayName(id.toStdString()).value_or(std::string()));
}

QString LibraryState::appPath(const QString& id) const {
    const AppDescriptor* found = app(id.toStdString());
    return found ? QString::fromStdString(found->bundleURL().string()) : QString();
}

QList<HiddenApp> LibraryState::hiddenApps() const {
    QList<HiddenApp> list;
    for (const HiddenAppRow& row : hiddenAppRows())
        list.append(
            {.id = QString::fromStdString(row.id), .name = QString::fromStdString(row.name)});
    return list;
}

} // namespace orbitdeck
