#include "library/workspace_process.h"

#include "catalog-core/desktop_entry.h"
#include "catalog-core/failure_log.h"
#include "catalog-core/info_plist.h"
#include "library/desktop_entry_launch.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace orbitdeck {
namespace {

// Only async-signal-safe calls between fork and exec: the launcher is multithreaded.
[[noreturn]] void runDetachedChild(int reportFd, const char* program, char* const* argv) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild != 0) {
        if (grandchild < 0) {
            const int error = errno;
            [[maybe_unused]] auto written = ::write(reportFd, &error, sizeof error);
        }
        ::_exit(0);
    }
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    if (const int devNull = ::open("/dev/null", O_RDONLY); devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        if (devNull != STDIN_FILENO)
            ::close(devNull);
    }
    // Descriptors the launcher holds open must not leak into the application.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execv(program, argv);
    const int error = errno;
    [[maybe_unused]] auto written = ::write(reportFd, &error, sizeof error);
    ::_exit(127);
}

} // namespace

std::optional<std::filesystem::path> bundleExecutable(const std::filesystem::path& bundle) {
    const auto info = readBundleInfo(bundle);
    if (!info || !info->executable)
        return std::nullopt;
    const std::string& name = *info->executable;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        return std::nullopt;
    auto program = bundle / "Contents" / "MacOS" / name;
    struct stat status {};
    if (::stat(program.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        ::access(program.c_str(), X_OK) != 0)
        return std::nullopt;
    return program;
}

bool spawnDetached(const std::filesystem::path& program,
                   const std::vector<std::string>& arguments) {
    std::vector<std::string> owned{program.string()};
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : owned)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The write end closes on a successful exec, so an empty read means the program started.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        logFailure(libraryLog, failedOn("cannot start", program.native(), errno));
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        runDetachedChild(report[1], owned.front().c_str(), argv.data());
    }
    ::close(report[1]);
    if (child < 0) {
        logFailure(libraryLog, failedOn("cannot start", program.native(), errno));
        ::close(report[0]);
        return false;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t count = 0;
    do {
        count = ::read(report[0], &error, sizeof error);
    } while (count < 0 && errno == EINTR);
    ::close(report[0]);
    if (count != 0)
        logFailure(libraryLog, failedOn("cannot start", program.native(), error));
    return count == 0;
}

ProcessWorkspace::ProcessWorkspace(std::shared_ptr<ApplicationWindows> windows)
    : windows_(std::move(windows)) {}

namespace {

// None for an entry that cannot be read or that D-Bus activates.
std::optional<WindowTarget> desktopEntryWindows(const std::filesystem::path& entry) {
    const auto fields = readDesktopEntry(entry, {});
    if (!fields)
        return std::nullopt;
    const std::string id =
        desktopFileId(desktopEntryFolders(), entry).value_or(entry.filename().string());
    std::optional<std::filesystem::path> program;
    if (const auto executable = desktopEntryExecutable(entry))
        program = *executable;
    return desktopEntryTarget(id, fields->startupWMClass, program, fields->dbusActivatable);
}

} // namespace

std::set<int> ProcessWorkspace::startedForOthers(const std::filesystem::path& entry) {
    // A process that has ended is forgotten, before its number is given to another.
    std::erase_if(started_, [](const auto& record) {
        return ::kill(record.first, 0) != 0 && errno == ESRCH;
    });
    std::set<int> others;
    for (const auto& [pid, startedFor] : started_)
        if (startedFor != entry)
            others.insert(pid);
    return others;
}

bool ProcessWorkspace::openApplication(const std::filesystem::path& bundle) {
    if (isDesktopEntryPath(bundle)) {
        if (windows_) {
            if (auto target = desktopEntryWindows(bundle)) {
                target->foreignPids = startedForOthers(bundle);
                if (bringForward(*windows_, *target))
                    return true;
            }
        }
        std::optional<int> pid;
        if (!launchDesktopEntry(bundle, &pid))
            return false;
        if (pid)
            started_[*pid] = bundle;
        return true;
    }
    const auto program = bundleExecutable(bundle);
    if (!program) {
        logFailure(libraryLog, {"cannot start ", bundle.native(), ": no program in the bundle"});
        return false;
    }
    if (windows_ && bringForward(*windows_, WindowTarget{.executable = *program}))
        return true;
    return spawnDetached(*program, {});
}

} // namespace orbitdeck
