#include "window/ambergrid_window.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/library_loader.h"
#include "window/localization.h"
#include "window/stored_library_data.h"
#include "window/window_actions.h"

#include <algorithm>
#include <iterator>

namespace orbitdeck {

namespace {

constexpr auto dismissScaleReset = std::chrono::milliseconds(320);

} // namespace

AmbergridWindow::AmbergridWindow(WindowEnvironment environment, QObject* parent)
    : QObject(parent)
    , environment_(std::move(environment))
    , settings_(new WindowSettings(*environment_.defaults, this))
    , library_(new LibraryState(this))
    , query_(new QueryState(this))
    , paging_(new PagingState(this))
    , selection_(new SelectionState(this))
    , toasts_(new ToastState(*environment_.scheduler, this))
    , lifecycle_(new WindowLifecycle(this))
    , layout_(new LayoutState(this))
    , tiles_(nullptr)
    , actions_(nullptr) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    tiles_ = new TileListModel(
        [this](const LayoutItem& item) {
            TileListModel::TileText text;
            if (item.isFolder()) {
                if (const auto folder = layout_->layout().folder(item.folderID())) {
                    text.name = folderTitle(*folder);
                    // The icon previews what the panel shows: no hidden or missing apps.
                    for (const LayoutItem& inner : folder->items) {
                        if (text.previewPaths.size() == TileListModel::previewLimit)
                            break;
                        if (inner.isFolder() || !library_->showsInFolder(inner.payload))
                            continue;
                        if (const AppDescriptor* app = library_->app(inner.payload))
                            text.previewPaths.append(
                                QString::fromStdString(app->bundleURL().string()));
                    }
                }
            } else if (const AppDescriptor* app = library_->app(item.payload)) {
                text.name = QString::fromStdString(app->displayName());
                text.path = QString::fromStdString(app->bundleURL().string());
            }
            return text;
        },
        this);
    actions_ = new WindowActions(*this, this);
    visible_ = std::make_unique<VisibleLibrary>(*library_, *layout_, *query_, *settings_);
    loader_ = std::make_unique<LibraryLoader>(*this);
    connectDerivedValues();
}

AmbergridWindow::~AmbergridWindow() = default;

void AmbergridWindow::connectDerivedValues() {
    const auto tilesChanged = [this] { refreshTiles(); };
    connect(layout_, &LayoutState::layoutChanged, this, tilesChanged);
    connect(library_, &LibraryState::appsChanged, this, tilesChanged);
    connect(library_, &LibraryState::hiddenChanged, this, tilesChanged);
    connect(library_, &LibraryState::orderingDataChanged, this, tilesChanged);
    connect(settings_, &WindowSettings::sortChanged, this, tilesChanged);
    connect(settings_, &WindowSettings::languageChanged, this, tilesChanged);
    connect(paging_, &PagingState::navCapacityChanged, this, tilesChanged);
    connect(settings_, &WindowSettings::browsingChanged, this, tilesChanged);
    connect(query_, &QueryState::queryChanged, this, [this] {
        const QString previous = previousQuery_;
        previousQuery_ = query_->query();
        queryDidChange(previous);
        refreshTiles();
    });
    connect(paging_, &PagingState::pageChanged, this, [this] { pageDidChange(); });
    connect(settings_, &WindowSettings::sortChanged, this, [this] { sortDidChange(); });
    connect(settings_, &WindowSettings::browsingChanged, this, [this] { paging_->setPage(0); });
    connect(settings_, &WindowSettings::hotKeyChanged, this, [this] { installTriggerHandlers(); });
    connect(settings_, &WindowSettings::saveFailed, this, [this] {
        showToast(localized(QStringLiteral("Changes could not be saved"), language()));
    });
    connect(settings_, &WindowSettings::showWallpaperChanged, lifecycle_,
            &WindowLifecycle::wallpaperRefreshRequested);
    // The open folder goes when the layout no longer holds it, so keys are not refused.
    connect(layout_, &LayoutState::layoutChanged, this, [this] {
        const auto& open = selection_->openFolder();
        if (open && !layout_->layout().folder(*open))
            selection_->setOpenFolder(std::nullopt);
    });
}

void AmbergridWindow::attachOrganizer(Organizer* organizer) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    organizer_ = organizer;
    emit extensionsChanged();
}

void AmbergridWindow::attachUndoableUnhide(UndoableUnhide* unhide) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    undoableUnhide_ = unhide;
    emit extensionsChanged();
}

void AmbergridWindow::attachFiles(FileRequest* files) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    files_ = files;
    emit extensionsChanged();
}

int AmbergridWindow::pageCount() const {
    if (settings_->browsingValue() != LibraryBrowsing::pages)
        return 1;
    return VisibleLibrary::pageCount(static_cast<std::size_t>(tiles_->count()),
                                     paging_->navCapacity());
}

void AmbergridWindow::refreshTiles() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    tiles_->setItems(visible_->visibleItems());
    const int pages = pageCount();
    if (pages != lastPageCount_) {
        lastPageCount_ = pages;
        emit pageCountChanged();
    }
}

void AmbergridWindow::pushUndo(LibraryUndo entry) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    undoStack_.push(std::move(entry));
    layout_->setUndoCount(static_cast<int>(undoStack_.size()));
}

std::optional<LibraryUndo> AmbergridWindow::popUndo() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    std::optional<LibraryUndo> entry = undoStack_.pop();
    layout_->setUndoCount(static_cast<int>(undoStack_.size()));
    return entry;
}

void AmbergridWindow::storeHidden(HiddenIDs ids) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    library_->assignHidden(std::move(ids));
    settings_->setData(WindowSettings::hiddenKey,
                       encodeHiddenIDs(library_->hiddenIDs()).value_or(QByteArray()));
}

void AmbergridWindow::storeLaunchData() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // One map that cannot be encoded does not keep the other from being written.
    if (const auto dates = encodeRecentUse(library_->recentUse()))
        settings_->setData(WindowSettings::lastOpenedKey, *dates);
    if (const auto counts = encodeLaunchCounts(library_->launchCounts()))
        settings_->setData(WindowSettings::countKey, *counts);
}

void AmbergridWindow::showToast(const QString& text) {
    toasts_->showToast(text);
}

QString AmbergridWindow::folderTitle(const LayoutFolder& folder) const {
    return folderTitle_ ? folderTitle_(folder) : QString::fromStdString(folder.name);
}

QString AmbergridWindow::folderTitleOf(const QString& folderID) const {
    const auto folder = layout_->layout().folder(FolderID{folderID.toStdString()});
    return folder ? folderTitle(*folder) : QString();
}

void AmbergridWindow::setFolderTitle(std::function<QString(const LayoutFolder&)> title) {
    folderTitle_ = std::move(title);
    refreshTiles();
}

void AmbergridWindow::queryDidChange(const QString& previous) {
    const bool searching = query_->isSearching();
    const bool wasSearching = !previous.trimmed().isEmpty();
    if (searching) {
        if (!wasSearching)
            query_->setPageBeforeSearch(paging_->page());
        paging_->setPage(0);
    } else if (wasSearching) {
        paging_->setPage(query_->pageBeforeSearch());
    }
    selection_->setSelectedItem(std::nullopt);
    if (searching)
        stopArranging();
}

void AmbergridWindow::pageDidChange() {
    // Pages shown during a search are never remembered.
    if (settings_->rememberPage() && !query_->isSearching())
        settings_->setSavedPage(paging_->page());
}

void AmbergridWindow::sortDidChange() {
    if (settings_->sortValue() != LibrarySort::manual)
        paging_->setPage(0);
    if (settings_->sortValue() == LibrarySort::added)
        loader_->refreshAddedDates();
}

void AmbergridWindow::windowDidAppear() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    installTriggerHandlers();
    query_->setSearchFocused(true);
    if (settings_->rememberPage())
        paging_->setPage(std::max(settings_->savedPage(), 0));
    emit lifecycle_->applyStartupRequested();
}

void AmbergridWindow::loadLibrary() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    loader_->loadLibrary();
}

void AmbergridWindow::installTriggerHandlers() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (environment_.presentation)
        environment_.presentation->installTriggerHandlers([this] { emit toggleRequested(); },
                                                          settings_->hotKeyValue());
}

void AmbergridWindow::stopArranging() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    selection_->setActiveDropTile(std::nullopt);
    selection_->setArranging(false);
}

void AmbergridWindow::searchAppStore() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // Untrimmed: the software centre gets exactly what the field shows.
    if (environment_.searchSoftware)
        environment_.searchSoftware(query_->query());
    dismissLibrary();
}

void AmbergridWindow::dismissLibrary() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    LibraryPresentation* presentation = environment_.presentation;
    if (presentation && presentation->isHiding())
        return;
    query_->clear();
    stopArranging();
    if (settings_->fluidMotion()) {
        lifecycle_->setLibraryScale(1.06, WindowLifecycle::ScaleMotion::easeIn);
        scheduler().schedule(dismissScaleReset, this, [this] { lifecycle_->setLibraryScale(1.0); });
    }
    if (presentation)
        presentation->hide(!settings_->motionAllowed());
}

} // namespace orbitdeck

namespace orbitdeck {

bool AmbergridWindow::updateLayout(bool recordUndo,
                                   const std::function<bool(LibraryLayout&)>& change) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    LibraryLayout copy = layout_->layout();
    if (!change(copy))
        return false;
    const std::optional<std::string> encoded = copy.encodedSnapshot();
    if (!encoded)
        return false;
    if (recordUndo && library_->loaded())
        pushUndo(LibraryUndo{LibraryUndo::Layout{settings_->data(WindowSettings::layoutKey)}});
    layout_->setLayout(std::move(copy), settings_->motionAllowed() ? LayoutAnimation::spring
                                                                   : LayoutAnimation::none);
    settings_->setData(WindowSettings::layoutKey, QByteArray::fromStdString(*encoded));
    return true;
}

LibraryLayout AmbergridWindow::restoredLayout(const QByteArray& data) const {
    LibraryLayout layout{.pageID = PageID{LayoutState::pageIdentity}, .graph = std::nullopt};
    layout.restore(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                   library_->appIDs());
    return layout;
}

} // namespace orbitdeck
