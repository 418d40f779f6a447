#pragma once

#include "library/workspace.h"

#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// Opens a bundle by starting Contents/MacOS/<CFBundleExecutable> as a detached process in its
// own session, so it outlives the launcher and never becomes its zombie; a desktop entry is
// started through GIO.
class ProcessWorkspace final : public Workspace {
public:
    bool openApplication(const std::filesystem::path& bundle) override;
};

// The executable a bundle declares; none when it is missing, escapes Contents/MacOS, or is not
// an executable regular file.
std::optional<std::filesystem::path> bundleExecutable(const std::filesystem::path& bundle);

// Starts program with arguments, detached (new session, double fork). True once exec succeeded.
bool spawnDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments);

} // namespace orbitdeck
