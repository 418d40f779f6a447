#pragma once

#include "platform/trash.h"

#include <chrono>
#include <functional>

namespace orbitdeck {

// The freedesktop.org Trash: "files/<name>" holds the item and "info/<name>.trashinfo" where it
// came from (percent-encoded Path) and when (DeletionDate, local time). Items on the home
// trash's filesystem go to the home trash; items on another volume go to that volume's
// "$topdir/.Trash/$uid" (only when ".Trash" is a sticky folder, not a link) or
// "$topdir/.Trash-$uid", with a Path relative to the volume, and to the home trash by a whole
// copy when the volume has neither.
class FreedesktopTrash final : public Trash {
public:
    struct Options {
        // "$XDG_DATA_HOME/Trash".
        std::filesystem::path homeTrash;
        unsigned uid = 0;
        // The top folder of the volume holding a path.
        std::function<std::filesystem::path(const std::filesystem::path&)> volumeTop;
        std::function<std::chrono::system_clock::time_point()> clock;
    };

    // The user's home trash ($XDG_DATA_HOME, else $HOME/.local/share), the real uid, mounts and
    // clock.
    static Options standardOptions();

    explicit FreedesktopTrash(Options options);
    TrashOutcome recycle(const std::filesystem::path& item) override;

private:
    Options options_;
};

// The top folder of the mount holding path: the last ancestor on the same device.
std::filesystem::path mountTopOf(const std::filesystem::path& path);

// Percent-encodes a path for a trashinfo Path line; '/' and unreserved characters stay.
std::string percentEncodedPath(const std::string& path);

// Moves an item out of a Trash's "files" folder to `to` without ever replacing anything there
// or losing the item on the way, then drops its trashinfo record. An error text on failure.
std::optional<std::string> restoreFromTrash(const std::filesystem::path& from,
                                            const std::filesystem::path& to);

} // namespace orbitdeck
