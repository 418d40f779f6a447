#include "catalog-core/icon_theme_cache.h"

#include "catalog-core/file_descriptor.h"
#include "catalog-core/info_plist.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <system_error>

namespace orbitdeck {
namespace {

constexpr std::string_view magic = "ODITHEME";
constexpr std::uint32_t formatVersion = 1;
// Kept as they are in memory: the cache is read only on the machine that wrote it.
static_assert(sizeof(IconThemeIndex::Hit) == 4 && sizeof(IconThemeIndex::Name) == 16);
// A theme of a hundred thousand files indexes in about a megabyte.
constexpr std::size_t maxCacheBytes = 64 * 1024 * 1024;

std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ bytes.size();
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = (hash ^ word) * 0x100000001B3ULL;
        hash ^= hash >> 29;
    }
    for (; at < bytes.size(); ++at)
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * 0x100000001B3ULL;
    return hash;
}

class Writer {
public:
    template <typename T>
    void number(T value) {
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void text(std::string_view value) {
        number(static_cast<std::uint32_t>(value.size()));
        bytes.append(value);
    }
    template <typename T>
    void array(const std::vector<T>& items) {
        number(static_cast<std::uint32_t>(items.size()));
        bytes.append(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
    }
    std::string bytes;
};

// Reads what a Writer wrote; any read past the end fails it for good.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : rest_(bytes) {}
    template <typename T>
    T number() {
        T value{};
        if (rest_.size() < sizeof value) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, rest_.data(), sizeof value);
        rest_.remove_prefix(sizeof value);
        return value;
    }
    std::string_view text() {
        const auto size = number<std::uint32_t>();
        if (!ok_ || size > rest_.size()) {
            ok_ = false;
            return {};
        }
        const std::string_view value = rest_.substr(0, size);
        rest_.remove_prefix(size);
        return value;
    }
    // A count of items of at least itemBytes each; fails when they cannot all be there.
    std::uint32_t count(std::size_t itemBytes) {
        const auto value = number<std::uint32_t>();
        if (value > rest_.size() / itemBytes)
            ok_ = false;
        return ok_ ? value : 0;
    }
    template <typename T>
    std::vector<T> array() {
        std::vector<T> items(count(sizeof(T)));
        if (!items.empty())
            std::memcpy(items.data(), rest_.data(), items.size() * sizeof(T));
        rest_.remove_prefix(items.size() * sizeof(T));
        return items;
    }
    bool ok() const { return ok_; }
    bool atEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
    bool ok_ = true;
};

std::filesystem::path cacheFile(const std::filesystem::path& cacheFolder,
                                const std::string& theme) {
    return cacheFolder / (theme + ".index");
}

} // namespace

std::string encodeIconThemeIndex(const IconThemeIndex& index, std::string_view theme,
                                 const std::vector<std::filesystem::path>& folders) {
    Writer payload;
    payload.text(theme);
    payload.number(static_cast<std::uint32_t>(folders.size()));
    for (const auto& folder : folders)
        payload.text(folder.native());
    payload.number(static_cast<std::uint32_t>(index.stamps.size()));
    for (const auto& stamp : index.stamps) {
        payload.text(stamp.path);
        payload.number(static_cast<std::uint8_t>(stamp.modified.has_value()));
        payload.number(stamp.modified.value_or(0));
    }
    payload.number(static_cast<std::uint32_t>(index.inherits.size()));
    for (const auto& parent : index.inherits)
        payload.text(parent);
    payload.number(static_cast<std::uint32_t>(index.directories.size()));
    for (const auto& directory : index.directories) {
        for (const int value : {directory.size, directory.scale, directory.minSize,
                                directory.maxSize, directory.threshold})
            payload.number(static_cast<std::int32_t>(value));
        payload.number(static_cast<std::uint8_t>(directory.type));
        payload.text(directory.name);
    }
    payload.text(index.nameText);
    payload.array(index.names);
    payload.array(index.hits);
    Writer file;
    file.bytes.append(magic);
    file.number(formatVersion);
    file.number(static_cast<std::uint64_t>(payload.bytes.size()));
    file.number(checksum(payload.bytes));
    file.bytes.append(payload.bytes);
    return file.bytes;
}

std::optional<IconThemeIndex>
decodeIconThemeIndex(std::string_view bytes, std::string_view theme,
                     const std::vector<std::filesystem::path>& folders) {
    if (!bytes.starts_with(magic))
        return std::nullopt;
    Reader header(bytes.substr(magic.size()));
    const auto version = header.number<std::uint32_t>();
    const auto size = header.number<std::uint64_t>();
    const auto sum = header.number<std::uint64_t>();
    constexpr std::size_t headerBytes = magic.size() + 4 + 8 + 8;
    if (!header.ok() || version != formatVersion || size != bytes.size() - headerBytes)
        return std::nullopt;
    const std::string_view payload = bytes.substr(headerBytes);
    if (checksum(payload) != sum)
        return std::nullopt;

    Reader in(payload);
    if (in.text() != theme || in.count(4) != folders.size())
        return std::nullopt;
    for (const auto& folder : folders)
        if (in.text() != folder.native())
            return std::nullopt;
    IconThemeIndex index;
    index.found = true;
    for (auto stamps = in.count(4 + 1 + 8); in.ok() && stamps > 0; --stamps) {
        const std::string_view path = in.text();
        const bool present = in.number<std::uint8_t>() != 0;
        const auto modified = in.number<std::int64_t>();
        index.stamps.push_back(
            {std::string(path), present ? std::optional(modified) : std::nullopt});
    }
    for (auto parents = in.count(4); in.ok() && parents > 0; --parents)
        index.inherits.emplace_back(in.text());
    for (auto directories = in.count(5 * 4 + 1 + 4); in.ok() && directories > 0; --directories) {
        IconThemeIndex::Directory directory;
        directory.size = in.number<std::int32_t>();
        directory.scale = in.number<std::int32_t>();
        directory.minSize = in.number<std::int32_t>();
        directory.maxSize = in.number<std::int32_t>();
        directory.threshold = in.number<std::int32_t>();
        const auto type = in.number<std::uint8_t>();
        directory.name = in.text();
        if (type > static_cast<std::uint8_t>(IconThemeIndex::DirectoryType::threshold) ||
            !isThemeDirectoryName(directory.name) || directory.size <= 0 || directory.scale < 1 ||
            index.directories.size() >= UINT16_MAX)
            return std::nullopt;
        directory.type = static_cast<IconThemeIndex::DirectoryType>(type);
        index.directories.push_back(std::move(directory));
    }
    index.nameText = in.text();
    index.names = in.array<IconThemeIndex::Name>();
    index.hits = in.array<IconThemeIndex::Hit>();
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    // Every offset within the file, the names in order (a look-up halves its way through them).
    std::string_view previous;
    for (const auto& name : index.names) {
        if (std::uint64_t{name.offset} + name.length > index.nameText.size() ||
            std::uint64_t{name.firstHit} + name.hitCount > index.hits.size())
            return std::nullopt;
        const std::string_view text = index.nameOf(name);
        if (&name != index.names.data() && !(previous < text))
            return std::nullopt;
        previous = text;
    }
    for (const auto& hit : index.hits)
        if (hit.directory >= index.directories.size() || hit.folder >= folders.size() ||
            hit.rank >= iconExtensionCount)
            return std::nullopt;
    return index;
}

std::optional<IconThemeIndex>
loadCachedIconThemeIndex(const std::filesystem::path& cacheFolder, const std::string& theme,
                         const std::vector<std::filesystem::path>& folders) {
    const auto bytes = readSmallFile(cacheFile(cacheFolder, theme), maxCacheBytes);
    if (!bytes)
        return std::nullopt;
    auto index = decodeIconThemeIndex(*bytes, theme, folders);
    if (!index || !index->current())
        return std::nullopt;
    return index;
}

void storeCachedIconThemeIndex(const std::filesystem::path& cacheFolder, const std::string& theme,
                               std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(cacheFolder, error);
    const auto target = cacheFile(cacheFolder, theme);
    // A name of its own per writer: two launchers may store the same theme at once.
    auto temporary = target;
    temporary +=
        ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device{}());
    FileDescriptor file(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.valid())
        return;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<std::size_t>(count);
    }
    if (!file.close() || written != bytes.size() ||
        ::rename(temporary.c_str(), target.c_str()) != 0)
        ::unlink(temporary.c_str());
}

} // namespace orbitdeck
