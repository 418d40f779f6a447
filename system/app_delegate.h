#pragma once

#include "platform/status_item.h"
#include "window/library_command.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace orbitdeck {

class AppUpdater;
class DefaultsStore;
class LibraryPresentation;
class Scheduler;

// The application's side of the launcher: the status item and its menu, bringing the window
// back, restart and quit. It reaches the window through presentation and the "AmbergridCommand"
// notification only.
class AmbergridAppDelegate final : public QObject {
public:
    // The status menu's actions, reported as entry ids.
    enum MenuAction : int { open = 1, settings, updates, restart, quit };

    static constexpr std::chrono::milliseconds commandDelay{350};

    struct Seams {
        DefaultsStore* defaults = nullptr;
        Scheduler* scheduler = nullptr;
        StatusArea* statusArea = nullptr;
        LibraryPresentation* presentation = nullptr;
        AppUpdater* updater = nullptr;
        // Gives the application its icon at start-up (windows, task bars).
        std::function<void()> applyApplicationIcon;
        // The status item's picture, drawn when the item is made, and its icon-theme name.
        std::function<QImage()> statusIcon;
        QString statusIconName{};
        QString statusIconThemePath{};
        // The program's version, shown in the menu; may be empty.
        QString version;
        std::function<void()> restart;
        std::function<void()> quit;
    };

    explicit AmbergridAppDelegate(Seams seams, QObject* parent = nullptr);
    ~AmbergridAppDelegate() override;

    // Start-up, once: the application icon, the updater, the status item, and following
    // "ambergrid.menuBarIcon".
    void applicationDidFinishLaunching();
    // Adds or removes the status item to match the setting.
    void updateStatusItem();
    bool hasStatusItem() const { return statusItem_ != nullptr; }

    // The status menu as it is built each time it opens, in the interface language.
    std::vector<StatusMenuEntry> statusMenu() const;
    // A chosen menu entry.
    void perform(int action);

    // Opens the window scene where there is no window yet; set by the window when it comes up.
    void setOpenMainWindow(std::function<void()> open) { openMainWindow_ = std::move(open); }
    // Brings the launcher window forward, opening the scene when there is none.
    void showMainWindow();
    // Shows the window, then posts the command once it has had time to come up.
    void openWindowAndPost(LibraryCommand command);

private:
    Seams seams_;
    std::function<void()> openMainWindow_;
    std::unique_ptr<StatusItem> statusItem_;
    bool launched_ = false;
};

// "ambergrid.menuBarIcon": shown unless the stored value is the Boolean false.
bool wantsStatusItem(const DefaultsStore& defaults);

} // namespace orbitdeck
