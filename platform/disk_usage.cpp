#include "platform/disk_usage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace orbitdeck {
namespace {

// Deeper folders are skipped: each level holds a descriptor open while it is walked.
constexpr int maximumDepth = 256;

std::uintmax_t allocated(const struct stat& status) {
    return static_cast<std::uintmax_t>(status.st_blocks) * 512;
}

// Adds everything in the folder open at descriptor, which it takes over. Children are opened
// from their parent's descriptor, so trees whose paths outgrow PATH_MAX are measured too.
void addContents(int descriptor, int depth, std::uintmax_t& total) {
    DIR* listing = ::fdopendir(descriptor);
    if (listing == nullptr) {
        ::close(descriptor);
        return;
    }
    const int folder = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat status {};
        if (::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        total += allocated(status);
        if (!S_ISDIR(status.st_mode) || depth >= maximumDepth)
            continue;
        const int child =
            ::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0)
            addContents(child, depth + 1, total);
    }
    ::closedir(listing);
}

} // namespace

std::optional<std::uintmax_t> allocatedSizeBelow(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::uintmax_t total = 0;
    addContents(descriptor, 1, total);
    return total;
}

std::uintmax_t allocatedTreeSize(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return 0;
    const std::uintmax_t own = allocated(status);
    return S_ISDIR(status.st_mode) ? own + allocatedSizeBelow(path).value_or(0) : own;
}

} // namespace orbitdeck
