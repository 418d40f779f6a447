#include "platform/running_applications.h"

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace orbitdeck {

namespace fs = std::filesystem;

ProcessTable::ProcessTable(fs::path proc)
    : proc_(std::move(proc)) {}

namespace {

// Calls found with the id and program of each process of this user that has one; stops early
// when found answers true.
void forEachOwnProcess(const fs::path& proc,
                       const std::function<bool(int pid, const fs::path& executable)>& found) {
    std::error_code error;
    for (fs::directory_iterator entry(proc, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        struct stat status {};
        if (::stat(entry->path().c_str(), &status) != 0 || status.st_uid != ::getuid())
            continue;
        std::error_code linkError;
        // Gone, a zombie or a kernel thread: no executable to read, so not running here.
        const fs::path executable = fs::read_symlink(entry->path() / "exe", linkError);
        if (!linkError && found(std::stoi(name), executable))
            return;
    }
}

} // namespace

std::vector<int> ProcessTable::instances(const std::string&, const fs::path& bundle) {
    std::error_code error;
    const fs::path root = fs::weakly_canonical(bundle, error);
    if (error || root.empty())
        return {};
    const std::string prefix = (root / "").string();
    std::vector<int> found;
    forEachOwnProcess(proc_, [&](int pid, const fs::path& executable) {
        if (executable.string().starts_with(prefix))
            found.push_back(pid);
        return false;
    });
    return found;
}

bool ownProcessRuns(const std::string& program, const fs::path& proc) {
    bool runs = false;
    forEachOwnProcess(proc, [&](int, const fs::path& executable) {
        runs = executable.filename() == program;
        return runs;
    });
    return runs;
}

void ProcessTable::terminate(int pid) {
    if (pid > 0)
        ::kill(pid, SIGTERM);
}

} // namespace orbitdeck
