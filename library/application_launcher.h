#pragma once

#include <filesystem>

namespace orbitdeck {

// The replaceable opener of applications; called on the main thread.
class ApplicationLauncher {
public:
    virtual ~ApplicationLauncher() = default;
    // True when the application bundle could be opened.
    virtual bool open(const std::filesystem::path& bundleURL) = 0;
};

} // namespace orbitdeck
