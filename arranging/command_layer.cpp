#include "arranging/command_layer.h"

#include "arranging/launch_flow.h"
#include "arranging/layout_operations.h"
#include "arranging/multi_selection.h"
#include "arranging/tile_menu.h"
#include "arranging/undo_actions.h"
#include "arranging/uninstall_flow.h"
#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/item_keys.h"

#include <algorithm>

namespace orbitdeck {

namespace {

constexpr auto guideEscapeDelay = std::chrono::milliseconds(300);

} // namespace

CommandLayer::CommandLayer(AmbergridWindow& window, LaunchFlow& launch, UndoActions& undo,
                           LayoutOperations& operations, QObject* parent)
    : QObject(parent)
    , window_(window)
    , launch_(launch)
    , undo_(undo)
    , selection_(new MultiSelection(window, operations, undo, this))
    , uninstall_(new UninstallFlow(window, this))
    , tileMenu_(new TileMenu(window,
                             TileMenu::Parts{
                                 .launch = launch,
                                 .operations = operations,
                                 .undo = undo,
                                 .selection = *selection_,
                                 .uninstall = *uninstall_,
                             },
                             this)) {
    connect(&window_, &AmbergridWindow::toggleRequested, this, &CommandLayer::toggleLibrary);
}

void CommandLayer::requestUninstall(const QString& appID) {
    uninstall_->requestUninstall(appID);
}

bool CommandLayer::queryBlank() const {
    return !window_.search()->isSearching();
}

void CommandLayer::leaveGuideWithEscape() {
    window_.settings()->setOnboarded(true);
    window_.lifecycle()->setOnboardingOpen(false);
    window_.scheduler().schedule(guideEscapeDelay, this, [this] {
        window_.lifecycle()->setPendingMode(window_.settings()->startModeValue());
        emit window_.lifecycle()->applyPendingStartupModeRequested();
    });
}

bool CommandLayer::handleKey(LibraryKey key) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    SelectionState& selection = *window_.selection();
    if (window_.lifecycle()->onboardingOpen()) {
        if (key != LibraryKey::escape)
            return false;
        leaveGuideWithEscape();
        return true;
    }
    const bool folderOpen = selection.openFolder().has_value();
    const bool loaded = window_.library()->loaded();
    switch (key) {
    case LibraryKey::escape:
        if (!selection.multiSelection().empty()) {
            selection.clearMultiSelection();
        } else {
            selection.setSelectedItem(std::nullopt);
            handleEscape();
        }
        return true;
    case LibraryKey::left:
    case LibraryKey::right:
        if (!loaded || folderOpen)
            return false;
        // The search field keeps the key while typing with nothing selected.
        if (!queryBlank() && !selection.selectedItem())
            return false;
        moveSelection(key == LibraryKey::left ? -1 : 1);
        return true;
    case LibraryKey::up:
    case LibraryKey::down: {
        if (!loaded || folderOpen)
            return false;
        const int columns = std::max(window_.paging()->navColumns(), 1);
        const int step = window_.paging()->navColumns() < 2 ? 1 : columns;
        moveSelection(key == LibraryKey::up ? -step : step);
        return true;
    }
    case LibraryKey::enter: {
        const auto& selected = selection.selectedItem();
        if (folderOpen || !selected)
            return false;
        const std::vector<LayoutItem> visible = window_.visible().visibleItems();
        if (std::find(visible.begin(), visible.end(), *selected) == visible.end())
            return false;
        activate(*selected);
        return true;
    }
    case LibraryKey::undo:
        if (!queryBlank() || folderOpen || window_.undoStack().empty())
            return false;
        undo_.undo();
        return true;
    case LibraryKey::previousPage:
    case LibraryKey::nextPage:
        return turnPage(key == LibraryKey::previousPage ? -1 : 1);
    }
    return false;
}

void CommandLayer::moveSelection(int offset) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::vector<LayoutItem> visible = window_.visible().visibleItems();
    if (visible.empty())
        return;
    PagingState& paging = *window_.paging();
    const int count = static_cast<int>(visible.size());
    const bool paged = window_.settings()->browsingValue() == LibraryBrowsing::pages &&
                       queryBlank() && paging.navCapacity() > 0;
    const auto& selected = window_.selection()->selectedItem();
    const auto found =
        selected ? std::find(visible.begin(), visible.end(), *selected) : visible.end();
    int index = 0;
    if (found != visible.end())
        index = std::clamp(static_cast<int>(found - visible.begin()) + offset, 0, count - 1);
    else if (!queryBlank())
        index = std::clamp(offset, 0, count - 1);
    else if (paged)
        index = std::min(paging.page() * paging.navCapacity(), count - 1);
    window_.selection()->setSelectedItem(visible[static_cast<std::size_t>(index)]);
    if (!paged)
        return;
    const int targetPage = index / paging.navCapacity();
    if (targetPage == paging.page())
        return;
    paging.setDirection(targetPage > paging.page() ? PagingState::Direction::trailing
                                                   : PagingState::Direction::leading);
    paging.setPage(targetPage, window_.settings()->fluidMotion());
}

void CommandLayer::activate(LayoutItem item) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (item.isFolder()) {
        window_.selection()->setFolderAnchor({0.5, 0.5});
        window_.selection()->setSelectedItem(std::nullopt);
        window_.selection()->setOpenFolder(item.folderID());
        return;
    }
    if (const AppDescriptor* app = window_.library()->app(item.payload))
        launch_.launch(AppDescriptor(*app));
}

void CommandLayer::handleEscape() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_.lifecycle()->appearanceOpen())
        window_.lifecycle()->setAppearanceOpen(false);
    else if (window_.selection()->openFolder())
        closeFolder();
    else if (window_.selection()->arranging())
        window_.stopArranging();
    else if (!window_.search()->query().isEmpty())
        window_.search()->clear();
    else
        window_.dismissLibrary();
}

void CommandLayer::toggleLibrary() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->clearMultiSelection();
    LibraryPresentation* presentation = window_.environment().presentation;
    if (!presentation)
        return;
    if (presentation->isApplicationActive() && presentation->isWindowShown() &&
        !presentation->isHiding()) {
        window_.dismissLibrary();
        return;
    }
    presentation->show(!window_.settings()->motionAllowed());
    if (!presentation->hasWindow())
        presentation->openWindow();
    window_.search()->setSearchFocused(true);
}

void CommandLayer::closeFolder() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->setOpenFolder(std::nullopt);
}

void CommandLayer::openFolder(const QString& folderID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    SelectionState& selection = *window_.selection();
    if (selection.suppressNextTap()) {
        selection.setSuppressNextTap(false);
        return;
    }
    if (!window_.layout()->hasFolder(folderID))
        return;
    selection.setSelectedItem(std::nullopt);
    selection.setOpenFolder(FolderID{folderID.toStdString()});
}

void CommandLayer::tileTapped(const QString& itemKey, int modifiers) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<LayoutItem> item = itemFromKey(itemKey);
    if (!item)
        return;
    if (item->isFolder())
        return openFolder(QString::fromStdString(item->payload));
    SelectionState& selection = *window_.selection();
    if (selection.suppressNextTap()) {
        selection.setSuppressNextTap(false);
        return;
    }
    if (selection_->modifierClick(itemKey, modifiers))
        return;
    if (!selection.multiSelection().empty()) {
        selection.clearMultiSelection();
        return;
    }
    if (selection.arranging())
        return;
    if (window_.library()->app(item->payload))
        launch_.openFromTile(QString::fromStdString(item->payload));
}

void CommandLayer::tileLongPressEnded() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_.search()->isSearching())
        return;
    window_.selection()->setSuppressNextTap(true);
    window_.selection()->setArranging(true);
}

void CommandLayer::editLayout() {
    tileLongPressEnded();
    window_.selection()->setSuppressNextTap(false);
}

void CommandLayer::handleBackgroundClick() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    SelectionState& selection = *window_.selection();
    if (selection.draggingItem())
        return;
    if (!selection.multiSelection().empty())
        selection.clearMultiSelection();
    else if (selection.arranging())
        window_.stopArranging();
    else if (selection.selectedItem())
        clearSelection();
    else if (window_.settings()->clickToClose())
        window_.dismissLibrary();
}

void CommandLayer::clearSelection() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->setSelectedItem(std::nullopt);
}

bool CommandLayer::turnPage(int offset) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_.settings()->browsingValue() != LibraryBrowsing::pages ||
        window_.lifecycle()->onboardingOpen())
        return false;
    // Like the page bar's chevrons: without a page to go to the shortcut is off, and the key
    // goes on to the search field.
    const int current = window_.paging()->page();
    const int target = current + offset;
    if (target < 0 || target >= window_.pageCount())
        return false;
    launch_.goToPage(target, current, window_.pageCount());
    return true;
}

} // namespace orbitdeck
