#pragma once

#include "library/application_windows.h"
#include "library/workspace.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck {

// Opens a bundle by starting Contents/MacOS/<CFBundleExecutable> as a detached process in its
// own session, so it outlives the launcher and never becomes its zombie; a desktop entry is
// started through GIO. With the window manager's windows at hand, an application already
// running is brought forward instead.
class ProcessWorkspace final : public Workspace {
public:
    explicit ProcessWorkspace(std::shared_ptr<ApplicationWindows> windows = nullptr);
    bool openApplication(const std::filesystem::path& bundle) override;

private:
    // The processes of other entries this launcher started and that still run.
    std::set<int> startedForOthers(const std::filesystem::path& entry);

    std::shared_ptr<ApplicationWindows> windows_;
    // Process → the entry it was started for.
    std::map<int, std::filesystem::path> started_;
};

// The executable a bundle declares; none when it is missing, escapes Contents/MacOS, or is not
// an executable regular file.
std::optional<std::filesystem::path> bundleExecutable(const std::filesystem::path& bundle);

// Starts program with arguments, detached (new session, double fork). True once exec succeeded.
bool spawnDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments);

} // namespace orbitdeck
