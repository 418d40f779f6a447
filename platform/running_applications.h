#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orbitdeck {

// Running copies of an application, and a polite request to quit.
class RunningApplications {
public:
    virtual ~RunningApplications() = default;
    // Process ids of the running instances of the application with this identifier and bundle.
    virtual std::vector<int> instances(const std::string& bundleIdentifier,
                                       const std::filesystem::path& bundle) = 0;
    // A normal request to quit; never a forced one.
    virtual void terminate(int pid) = 0;
};

// Linux processes carry no bundle identifier: an instance is a process of this user whose
// executable lies inside the bundle (what opening the bundle starts). Quitting is SIGTERM.
class ProcessTable final : public RunningApplications {
public:
    explicit ProcessTable(std::filesystem::path proc = "/proc");
    std::vector<int> instances(const std::string& bundleIdentifier,
                               const std::filesystem::path& bundle) override;
    void terminate(int pid) override;

private:
    std::filesystem::path proc_;
};

// Whether a process of this user runs a program of that file name (a dock, a shell).
bool ownProcessRuns(const std::string& program, const std::filesystem::path& proc = "/proc");

} // namespace orbitdeck
