#include "platform/item_move.h"

#include "catalog-core/file_descriptor.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

std::string errorText(int code) {
    return std::strerror(code);
}

// rename() would silently replace a file or an empty folder at the target.
int renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A filesystem without the flag: check first, accepting the small race.
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int copyContents(int in, int out) {
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t count = ::read(in, buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (count == 0)
            return 0;
        for (ssize_t done = 0; done < count;) {
            const ssize_t written = ::write(out, buffer.data() + done, count - done);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += written;
        }
    }
}

void copyTimes(const fs::path& to, const struct stat& status) {
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

int copyFile(const fs::path& from, const fs::path& to, const struct stat& status) {
    FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errno;
    FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0)
        return errno;
    if (const int error = copyContents(in.get(), out.get()))
        return error;
    if (::fchmod(out.get(), status.st_mode & 07777) != 0 || ::fsync(out.get()) != 0 || !out.close())
        return errno;
    copyTimes(to, status);
    return 0;
}

// Copies one item and everything below it; `to` must not exist.
int copyTree(const fs::path& from, const fs::path& to) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0)
        return errno;
    if (S_ISREG(status.st_mode))
        return copyFile(from, to, status);
    if (S_ISLNK(status.st_mode)) {
        std::error_code error;
        const fs::path target = fs::read_symlink(from, error);
        if (error)
            return error.value();
        return ::symlink(target.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    if (!S_ISDIR(status.st_mode))
        return ENOTSUP; // sockets, pipes and devices have no content to carry over
    if (::mkdir(to.c_str(), 0700) != 0)
        return errno;
    std::error_code error;
    for (fs::directory_iterator entry(from, error), end; !error && entry != end;
         entry.increment(error)) {
        if (const int failed = copyTree(entry->path(), to / entry->path().filename()))
            return failed;
    }
    if (error)
        return error.value();
    if (::chmod(to.c_str(), status.st_mode & 07777) != 0)
        return errno;
    copyTimes(to, status);
    return 0;
}

// A hidden name beside the target that nothing uses yet.
fs::path partialName(const fs::path& to) {
    // Appended in order: prepending to a temporary string trips GCC 12's false -Wrestrict.
    std::string prefix = ".";
    prefix += to.filename().native();
    prefix += ".partial-";
    prefix += std::to_string(::getpid());
    prefix += '-';
    for (int n = 0;; ++n) {
        std::string name = prefix;
        name += std::to_string(n);
        const fs::path candidate = to.parent_path() / name;
        struct stat existing {};
        if (::lstat(candidate.c_str(), &existing) != 0 && errno == ENOENT)
            return candidate;
    }
}

// Whether the tree at from can be removed once copied: its folder and every folder inside it
// writable. Checked first, so an item that could only be copied is not left half removed.
bool removable(const fs::path& from) {
    if (::access(from.parent_path().c_str(), W_OK) != 0)
        return false;
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(from, error)))
        return true;
    if (::access(from.c_str(), W_OK) != 0)
        return false;
    for (fs::recursive_directory_iterator entry(from, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->is_directory(error) && !entry->is_symlink(error) &&
            ::access(entry->path().c_str(), W_OK) != 0)
            return false;
    }
    return !error;
}

std::optional<std::string> moveByCopy(const fs::path& from, const fs::path& to) {
    if (!removable(from))
        return from.string() + ": " + errorText(EACCES);
    const fs::path partial = partialName(to);
    std::error_code ignored;
    if (const int error = copyTree(from, partial)) {
        fs::remove_all(partial, ignored);
        return "could not copy " + from.filename().string() + ": " + errorText(error);
    }
    if (const int error = renameNoReplace(partial, to)) {
        fs::remove_all(partial, ignored);
        return errorText(error);
    }
    // The item is whole at its new place; what cannot be removed here stays where it was.
    fs::remove_all(from, ignored);
    return std::nullopt;
}

} // namespace

std::optional<std::string> moveItemSafely(const fs::path& from, const fs::path& to) {
    struct stat status {};
    if (::lstat(from.c_str(), &status) != 0)
        return errorText(errno);
    const int error = renameNoReplace(from, to);
    if (error == 0)
        return std::nullopt;
    if (error != EXDEV)
        return errorText(error);
    return moveByCopy(from, to);
}

} // namespace orbitdeck
