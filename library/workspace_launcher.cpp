#include "library/workspace_launcher.h"

#include <utility>

namespace orbitdeck {

WorkspaceLauncher::WorkspaceLauncher(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)) {}

bool WorkspaceLauncher::open(const std::filesystem::path& bundleURL) {
    return workspace_ && workspace_->openApplication(bundleURL);
}

} // namespace orbitdeck
