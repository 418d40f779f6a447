#include "catalog-core/info_plist.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/failure_log.h"
#include "catalog-core/file_descriptor.h"
#include "catalog-core/plist_shape.h"

#include <plist/plist.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace orbitdeck {
namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

std::optional<std::string> textValue(plist_t dictionary, const char* key) {
    plist_t node = plist_dict_get_item(dictionary, key);
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING)
        return std::nullopt;
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (text == nullptr)
        return std::nullopt;
    std::string value(text, length);
    if (!isValidUtf8(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<BundleInfo> parseInfoPlist(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > maxInfoPlistBytes || !plistShapeWithinBounds(bytes))
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()), &root);
    const PlistPtr owned(root);
    if (root == nullptr || plist_get_node_type(root) != PLIST_DICT)
        return std::nullopt;
    return BundleInfo{
        .packageType = textValue(root, "CFBundlePackageType"),
        .displayName = textValue(root, "CFBundleDisplayName"),
        .name = textValue(root, "CFBundleName"),
        .identifier = textValue(root, "CFBundleIdentifier"),
        .executable = textValue(root, "CFBundleExecutable"),
        .iconFile = textValue(root, "CFBundleIconFile"),
    };
}

std::optional<std::string> readSmallFile(const std::filesystem::path& path, std::size_t maxBytes) {
    // O_NONBLOCK keeps a FIFO planted in a bundle from stalling the scan.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) {
        // Callers probe for optional files: only a file that is there but refused is news.
        if (errno != ENOENT && errno != ENOTDIR)
            logFailure(catalogLog, failedOn("cannot read", path.native(), errno));
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0 ||
        static_cast<std::size_t>(status.st_size) > maxBytes) {
        logFailure(catalogLog, {"not read ", path.native(), ": no regular file within ",
                                std::to_string(maxBytes), " bytes"});
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            logFailure(catalogLog, failedOn("read cut short", path.native(), errno));
        if (count <= 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    // A file that shrank while read is taken as it is; one that grew is cut at the cap.
    bytes.resize(filled);
    return bytes;
}

std::optional<BundleInfo> readBundleInfo(const std::filesystem::path& bundle) {
    const auto bytes = readSmallFile(bundle / "Contents" / "Info.plist", maxInfoPlistBytes);
    if (!bytes)
        return std::nullopt;
    return parseInfoPlist(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
}

} // namespace orbitdeck
