#pragma once

#include <filesystem>

namespace orbitdeck {

// The platform service that opens application bundles.
class Workspace {
public:
    virtual ~Workspace() = default;
    // Launches the application bundle (or brings it forward); false when it cannot be started.
    virtual bool openApplication(const std::filesystem::path& bundle) = 0;
};

} // namespace orbitdeck
