#pragma once

#include "library/application_launcher.h"
#include "library/workspace.h"

#include <memory>

namespace orbitdeck {

// Hands a bundle to the workspace and reports its answer unchanged.
class WorkspaceLauncher final : public ApplicationLauncher {
public:
    explicit WorkspaceLauncher(std::shared_ptr<Workspace> workspace);
    bool open(const std::filesystem::path& bundleURL) override;

private:
    std::shared_ptr<Workspace> workspace_;
};

} // namespace orbitdeck
