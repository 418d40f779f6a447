#include "window/undo_stack.h"

namespace orbitdeck {

void UndoStack::push(LibraryUndo entry) {
    entries_.push_back(std::move(entry));
    if (entries_.size() > capacity)
        entries_.erase(entries_.begin());
}

std::optional<LibraryUndo> UndoStack::pop() {
    if (entries_.empty())
        return std::nullopt;
    LibraryUndo entry = std::move(entries_.back());
    entries_.pop_back();
    return entry;
}

} // namespace orbitdeck
