#pragma once

#include "window/library_key.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

#include <functional>

namespace orbitdeck {

// Watches key presses in the whole application and hands the launcher's window keys to onKey;
// a key onKey consumes goes no further, every other one reaches the focused control.
class LibraryKeyMonitor final : public QObject {
public:
    explicit LibraryKeyMonitor(QObject* parent = nullptr);
    ~LibraryKeyMonitor() override;

    void setLibraryWindow(QWindow* window);
    void setOnKey(std::function<bool(LibraryKey)> onKey);

    // The decision for one key press to a top-level window: true when it was consumed.
    bool handleKeyPress(QWindow* eventWindow, const KeyStroke& stroke);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyWindowScope scopeOf(QWindow* eventWindow) const;

    QPointer<QWindow> libraryWindow_;
    std::function<bool(LibraryKey)> onKey_;
};

// True while an input method composes text in the focused control.
bool inputMethodComposing();

} // namespace orbitdeck
