#pragma once

#include <QString>

namespace orbitdeck {

// The settings sheet's Unhide: shows hidden applications again as one undo step. The module that
// keeps the undo steps implements it; the composition root hands it to the window.
class UndoableUnhide {
public:
    virtual ~UndoableUnhide() = default;

    // Unhides the application with this id; an empty id unhides every one.
    virtual void unhideWithUndo(const QString& appID) = 0;
};

} // namespace orbitdeck
