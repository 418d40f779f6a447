#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "window/layout_state.h"
#include "window/library_state.h"
#include "window/paging_state.h"
#include "window/query_state.h"
#include "window/selection_state.h"
#include "window/tile_list_model.h"
#include "window/toast_state.h"
#include "window/undo_stack.h"
#include "window/visible_library.h"
#include "window/window_actions.h"
#include "window/window_lifecycle.h"
#include "window/window_seams.h"
#include "window/window_settings.h"
#endif

#include "window/file_request.h"

#include <QObject>

#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>

namespace orbitdeck {

class LibraryLoader;
class Organizer;
class UndoableUnhide;

// The main window's state for QML: a thin owner of the state objects, one per concern. What
// higher modules plug in comes through the interfaces the window declares, handed in by the
// composition root: the organiser, the undoable unhide and the file requests (`files`).
class AmbergridWindow : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the executable makes the window state")
    Q_PROPERTY(orbitdeck::WindowSettings* settings READ settings CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::LibraryState* library READ library CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::QueryState* search READ search CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::PagingState* paging READ paging CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::SelectionState* selection READ selection CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::ToastState* toasts READ toasts CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::WindowLifecycle* lifecycle READ lifecycle CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::LayoutState* layout READ layout CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::TileListModel* tiles READ tiles CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::WindowActions* actions READ actions CONSTANT FINAL)
    // What the file dialog answers; null without the module that asks.
    Q_PROPERTY(orbitdeck::FileRequest* files READ files NOTIFY extensionsChanged FINAL)
    // Whether the empty state offers the software centre's search.
    Q_PROPERTY(bool canSearchAppStore READ canSearchAppStore CONSTANT FINAL)
    // Pages of the grid (columns × rows tiles each; at least one).
    Q_PROPERTY(int pageCount READ pageCount NOTIFY pageCountChanged FINAL)

public:
    explicit AmbergridWindow(WindowEnvironment environment, QObject* parent = nullptr);
    ~AmbergridWindow() override;

    WindowSettings* settings() const { return settings_; }
    LibraryState* library() const { return library_; }
    QueryState* search() const { return query_; }
    PagingState* paging() const { return paging_; }
    SelectionState* selection() const { return selection_; }
    ToastState* toasts() const { return toasts_; }
    WindowLifecycle* lifecycle() const { return lifecycle_; }
    LayoutState* layout() const { return layout_; }
    TileListModel* tiles() const { return tiles_; }
    WindowActions* actions() const { return actions_; }
    LibraryLoader& loader() { return *loader_; }
    VisibleLibrary& visible() { return *visible_; }
    const VisibleLibrary& visible() const { return *visible_; }
    UndoStack& undoStack() { return undoStack_; }
    const WindowEnvironment& environment() const { return environment_; }
    Scheduler& scheduler() const { return *environment_.scheduler; }

    // Null until the composition root hands them in.
    Organizer* organizer() const { return organizer_; }
    void attachOrganizer(Organizer* organizer);
    UndoableUnhide* undoableUnhide() const { return undoableUnhide_; }
    void attachUndoableUnhide(UndoableUnhide* unhide);
    FileRequest* files() const { return files_; }
    void attachFiles(FileRequest* files);

    int pageCount() const;

    // The layout commit: the change runs on a copy; when it reports a change and the copy
    // encodes, the stored bytes from before become an undo step (once loaded), the copy is
    // assigned with the spring and its bytes are stored at once. Otherwise nothing happens.
    bool updateLayout(bool recordUndo, const std::function<bool(LibraryLayout&)>& change);
    // A fresh layout restored from bytes against the installed list.
    LibraryLayout restoredLayout(const QByteArray& data) const;

    // Appends an undo entry, dropping the oldest beyond 30.
    void pushUndo(LibraryUndo entry);
    std::optional<LibraryUndo> popUndo();

    // Assigns the hidden set, rebuilds the lookup tables and stores it at once.
    void storeHidden(HiddenIDs ids);
    // Writes the launch dates and counts to their settings.
    void storeLaunchData();
    void showToast(const QString& text);
    LibraryLanguage language() const { return settings_->languageValue(); }
    // A folder's title as shown (installed by the onboarding module; else the stored name).
    QString folderTitle(const LayoutFolder& folder) const;
    // The title shown for a folder of the layout; empty when there is none with that id.
    Q_INVOKABLE QString folderTitleOf(const QString& folderID) const;
    void setFolderTitle(std::function<QString(const LayoutFolder&)> title);

    // Recomputes the visible tiles (the model diffs them).
    void refreshTiles();

    // The window came up: hands over the toggle, focuses search, restores the page.
    Q_INVOKABLE void windowDidAppear();
    // The body's load task: the first load of the library.
    Q_INVOKABLE void loadLibrary();
    // Clears the query, stops arranging and hides the launcher (at once without motion).
    Q_INVOKABLE void dismissLibrary();
    Q_INVOKABLE void stopArranging();
    bool canSearchAppStore() const { return static_cast<bool>(environment_.searchSoftware); }
    // Searches the software centre for the query as typed, then hides the launcher.
    Q_INVOKABLE void searchAppStore();
    // Installs the launch triggers and the hot key with the toggle.
    void installTriggerHandlers();

signals:
    void extensionsChanged();
    void pageCountChanged();
    // The toggle the hot key and the triggers run; the command layer connects to it.
    void toggleRequested();

private:
    void connectDerivedValues();
    void queryDidChange(const QString& previous);
    void pageDidChange();
    void sortDidChange();

    WindowEnvironment environment_;
    WindowSettings* settings_;
    LibraryState* library_;
    QueryState* query_;
    PagingState* paging_;
    SelectionState* selection_;
    ToastState* toasts_;
    WindowLifecycle* lifecycle_;
    LayoutState* layout_;
    TileListModel* tiles_;
    WindowActions* actions_;
    std::unique_ptr<VisibleLibrary> visible_;
    std::unique_ptr<LibraryLoader> loader_;
    UndoStack undoStack_;
    Organizer* organizer_ = nullptr;
    UndoableUnhide* undoableUnhide_ = nullptr;
    FileRequest* files_ = nullptr;
    int lastPageCount_ = 1;
    QString previousQuery_;
    std::function<QString(const LayoutFolder&)> folderTitle_;
};

} // namespace orbitdeck
