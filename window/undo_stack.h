#pragma once

#include "catalog-core/app_descriptor.h"
#include "window/library_state.h"
// moc of Qt 6.4 cannot parse the concepts this pulls in.
#ifndef Q_MOC_RUN
#include "library/library_sort.h"
#endif

#include <QByteArray>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace orbitdeck {

// One undoable step: the state from before a change.
struct LibraryUndo {
    struct Layout {
        QByteArray data;
    };
    struct Hidden {
        HiddenIDs ids;
    };
    struct Backup {
        QByteArray data;
        HiddenIDs ids;
        LibrarySort sort = LibrarySort::manual;
    };
    struct Uninstall {
        AppDescriptor app;
        std::filesystem::path trashURL;
        QByteArray data;
    };

    std::variant<Layout, Hidden, Backup, Uninstall> value;
};

// In memory only, newest last, at most 30 entries; no redo.
class UndoStack {
public:
    static constexpr std::size_t capacity = 30;

    void push(LibraryUndo entry);
    std::optional<LibraryUndo> pop();
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const std::vector<LibraryUndo>& entries() const { return entries_; }

private:
    std::vector<LibraryUndo> entries_;
};

} // namespace orbitdeck
