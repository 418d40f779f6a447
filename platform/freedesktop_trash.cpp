#include "platform/freedesktop_trash.h"

#include "platform/item_move.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

constexpr int maxNameAttempts = 10000;

std::optional<struct stat> statOf(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return std::nullopt;
    return status;
}

// The device of a folder that may not exist yet: that of its nearest existing ancestor.
dev_t deviceOf(fs::path path) {
    for (;;) {
        struct stat status {};
        if (::stat(path.c_str(), &status) == 0 || !path.has_relative_path())
            return status.st_dev;
        path = path.parent_path();
    }
}

// Creates a private folder, or accepts an existing folder (a linked home trash included).
bool ensureFolder(const fs::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return true;
    errno = ENOTDIR;
    return false;
}

bool ensureFolderTree(const fs::path& folder) {
    if (statOf(folder))
        return ensureFolder(folder);
    return (!folder.has_relative_path() || ensureFolderTree(folder.parent_path())) &&
           ensureFolder(folder);
}

std::string deletionDate(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// "Foo.app", "Foo 2.app", "Foo 3.app", …
std::string candidateName(const fs::path& name, int attempt) {
    if (attempt == 1)
        return name.string();
    return name.stem().string() + " " + std::to_string(attempt) + name.extension().string();
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

TrashOutcome failure(const std::string& text) {
    return TrashOutcome{.trashedPath = std::nullopt, .error = text};
}

TrashOutcome trashInto(const fs::path& trash, const fs::path& item, const std::string& recorded,
                       std::chrono::system_clock::time_point when) {
    const fs::path files = trash / "files";
    const fs::path info = trash / "info";
    if (!ensureFolderTree(trash) || !ensureFolder(files) || !ensureFolder(info))
        return failure("The Trash at " + trash.string() +
                       " cannot be written: " + std::strerror(errno));
    const std::string record = "[Trash Info]\nPath=" + percentEncodedPath(recorded) +
                               "\nDeletionDate=" + deletionDate(when) + "\n";
    for (int attempt = 1; attempt <= maxNameAttempts; ++attempt) {
        const std::string name = candidateName(item.filename(), attempt);
        if (statOf(files / name))
            continue;
        // The record is claimed first and exclusively, so two movers never share a name.
        const fs::path infoFile = info / (name + ".trashinfo");
        const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return failure("The Trash at " + trash.string() +
                           " cannot be written: " + std::strerror(errno));
        const bool written = writeAll(fd, record) && ::fsync(fd) == 0;
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            ::unlink(infoFile.c_str());
            return failure("The Trash record could not be written: " +
                           std::string(std::strerror(errno)));
        }
        if (auto error = moveItemSafely(item, files / name)) {
            ::unlink(infoFile.c_str());
            return failure(*error);
        }
        return TrashOutcome{.trashedPath = files / name, .error = std::nullopt};
    }
    return failure("The Trash has no free name for " + item.filename().string());
}

// "$topdir/.Trash/$uid" when the administrator made a shared sticky ".Trash", else the user's
// own "$topdir/.Trash-$uid"; none when neither can be used. Links are refused on a volume:
// another user could point them anywhere.
std::optional<fs::path> volumeTrash(const fs::path& top, unsigned uid) {
    const auto usable = [uid](const fs::path& folder) {
        if (!ensureFolder(folder))
            return false;
        const auto status = statOf(folder);
        return status && S_ISDIR(status->st_mode) && status->st_uid == uid;
    };
    const auto shared = statOf(top / ".Trash");
    if (shared && S_ISDIR(shared->st_mode) && (shared->st_mode & S_ISVTX)) {
        const fs::path own = top / ".Trash" / std::to_string(uid);
        if (usable(own))
            return own;
    }
    const fs::path own = top / (".Trash-" + std::to_string(uid));
    if (usable(own))
        return own;
    return std::nullopt;
}

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? fs::path(entry->pw_dir) : fs::path("/");
}

} // namespace

FreedesktopTrash::Options FreedesktopTrash::standardOptions() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const fs::path dataHome =
        data && fs::path(data).is_absolute() ? fs::path(data) : homeFolder() / ".local" / "share";
    return Options{
        .homeTrash = dataHome / "Trash",
        .uid = ::getuid(),
        .volumeTop = mountTopOf,
        .clock = [] { return std::chrono::system_clock::now(); },
    };
}

FreedesktopTrash::FreedesktopTrash(Options options)
    : options_(std::move(options)) {}

TrashOutcome FreedesktopTrash::recycle(const fs::path& item) {
    const auto status = statOf(item);
    if (!status)
        return failure(item.string() + ": " + std::strerror(errno));
    fs::path absolute = fs::absolute(item).lexically_normal();
    if (absolute.filename().empty())
        absolute = absolute.parent_path();
    if (!absolute.has_relative_path())
        return failure("The root folder cannot be moved to the Trash");
    // The folder is resolved, the item itself is not: a link goes to the Trash, not its target.
    std::error_code error;
    const fs::path folder = fs::canonical(absolute.parent_path(), error);
    const fs::path source = (error ? absolute.parent_path() : folder) / absolute.filename();
    const auto when = options_.clock();
    if (status->st_dev == deviceOf(options_.homeTrash))
        return trashInto(options_.homeTrash, source, source.string(), when);
    const fs::path top = options_.volumeTop(source);
    if (const auto trash = volumeTrash(top, options_.uid)) {
        TrashOutcome outcome =
            trashInto(*trash, source, source.lexically_relative(top).string(), when);
        if (!outcome.error)
            return outcome;
    }
    return trashInto(options_.homeTrash, source, source.string(), when);
}

fs::path mountTopOf(const fs::path& path) {
    std::error_code error;
    fs::path current = fs::weakly_canonical(fs::absolute(path), error);
    if (error)
        current = fs::absolute(path).lexically_normal();
    const dev_t device = deviceOf(current);
    while (current.has_relative_path()) {
        const fs::path parent = current.parent_path();
        struct stat status {};
        if (::stat(parent.c_str(), &status) != 0 || status.st_dev != device)
            break;
        current = parent;
    }
    return current;
}

std::string percentEncodedPath(const std::string& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || std::strchr("-_.~/", c) != nullptr;
        if (plain && c != '\0') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0xF];
        }
    }
    return encoded;
}

std::optional<std::string> restoreFromTrash(const fs::path& from, const fs::path& to) {
    if (auto error = moveItemSafely(from, to))
        return error;
    if (from.parent_path().filename() == "files") {
        const fs::path record =
            from.parent_path().parent_path() / "info" / (from.filename().string() + ".trashinfo");
        ::unlink(record.c_str());
    }
    return std::nullopt;
}

} // namespace orbitdeck
