#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace orbitdeck {

// One entry of a status item's menu.
struct StatusMenuEntry {
    // Reported back when the entry is chosen; separators and disabled entries never are.
    int id = 0;
    QString title{};
    // The key shown next to the title, pressed with Control (e.g. "q"); empty for none.
    QString key{};
    bool enabled = true;
    bool separator = false;

    bool operator==(const StatusMenuEntry&) const = default;
};

struct StatusItemSpec {
    QString identifier;
    // The item's name for tooltips and screen readers.
    QString title{};
    // The icon theme's name for the item (the installed application icon); hosts that find it
    // draw it at their own size, the others draw icon.
    QString iconName{};
    // A folder holding that theme icon beyond the standard ones (an installation elsewhere than
    // /usr); empty for none.
    QString iconThemePath{};
    // Reads on light and dark panels alike.
    QImage icon;
    // Asked each time the menu opens.
    std::function<std::vector<StatusMenuEntry>()> menu;
    std::function<void(int id)> chosen;
    // A primary click on the item where the desktop does not open the menu for it.
    std::function<void()> activated;
};

// An item in the desktop's status area; it is removed when destroyed.
class StatusItem {
public:
    virtual ~StatusItem() = default;
};

// The desktop's status area.
class StatusArea {
public:
    virtual ~StatusArea() = default;
    virtual std::unique_ptr<StatusItem> addItem(StatusItemSpec spec) = 0;
};

// The freedesktop status area on the session bus: a StatusNotifierItem with its menu exported
// as com.canonical.dbusmenu. Without a session bus the items do nothing; without a status
// notifier host on the bus they wait on the bus for one to appear.
std::unique_ptr<StatusArea> makeDBusStatusArea();

} // namespace orbitdeck
