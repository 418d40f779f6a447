#include "catalog-core/bundle_walk.h"

#include "catalog-core/application_directory_catalog.h"
#include "catalog-core/code_point_order.h"
#include "catalog-core/failure_log.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

namespace orbitdeck {
namespace {

// Folder extensions that make a package: listed, never entered.
constexpr std::array packageExtensions{"app",        "bundle", "framework", "plugin", "kext",
                                       "appex",      "xpc",    "prefpane",  "saver",  "qlgenerator",
                                       "mdimporter", "wdgt",   "pkg",       "mpkg",   "rtfd"};

bool isPackageName(std::string_view name) {
    return std::any_of(
        packageExtensions.begin(), packageExtensions.end(),
        [name](const char* extension) { return hasExtensionIgnoringCase(name, extension); });
}

bool isPlainDirectory(int parentFd, const dirent& entry) {
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status {};
    return ::fstatat(parentFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(status.st_mode);
}

void walkFolder(int folderFd, const std::string& folderPath, int depth, int maxDepth,
                const std::function<void(const std::filesystem::path&)>& visit) {
    DIR* folder = ::fdopendir(folderFd);
    if (folder == nullptr) {
        ::close(folderFd);
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (name.front() == '.' || !isValidUtf8(name))
            continue;
        std::string path = folderPath;
        if (path.empty() || path.back() != '/')
            path += '/';
        path += name;
        if (hasExtensionIgnoringCase(name, "app")) {
            visit(path);
            continue;
        }
        if (depth >= maxDepth || isPackageName(name) || !isPlainDirectory(::dirfd(folder), *entry))
            continue;
        const int childFd = ::openat(::dirfd(folder), entry->d_name,
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (childFd >= 0)
            walkFolder(childFd, path, depth + 1, maxDepth, visit);
    }
    ::closedir(folder);
}

} // namespace

bool hasExtensionIgnoringCase(std::string_view name, std::string_view extension) {
    if (name.size() <= extension.size() + 1 || name[name.size() - extension.size() - 1] != '.')
        return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char left, char right) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(left) == lower(right);
    });
}

void walkBundles(const std::filesystem::path& root, int maxDepth,
                 const std::function<void(const std::filesystem::path&)>& visit) {
    const int rootFd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd >= 0)
        walkFolder(rootFd, root.native(), 1, maxDepth, visit);
    else if (errno != ENOENT && errno != ENOTDIR)
        logFailure(catalogLog, failedOn("cannot read the folder", root.native(), errno));
}

std::vector<std::filesystem::path> findBundleCandidates(const std::filesystem::path& root) {
    struct Candidate {
        std::filesystem::path path;
        std::optional<std::string> composed;
        const std::string& key() const { return composed ? *composed : path.native(); }
    };
    std::vector<Candidate> found;
    walkBundles(root, maxBundleDepth, [&found](const std::filesystem::path& candidate) {
        found.push_back({.path = candidate, .composed = composedIfChanged(candidate.native())});
    });
    std::sort(found.begin(), found.end(),
              [](const auto& left, const auto& right) { return left.key() < right.key(); });
    std::vector<std::filesystem::path> candidates;
    candidates.reserve(found.size());
    for (auto& entry : found)
        candidates.push_back(std::move(entry.path));
    return candidates;
}

} // namespace orbitdeck
