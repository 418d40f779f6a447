#include "catalog-core/gtk_icon_cache.h"

#include "catalog-core/code_point_order.h"

#include <bit>
#include <cstring>

namespace orbitdeck {
namespace {

constexpr std::uint32_t noOffset = 0xFFFFFFFF;
constexpr std::uint16_t hasXpm = 1, hasSvg = 2, hasPng = 4, hasIconFile = 8;
constexpr std::size_t iconRecordBytes = 12;

// The big-endian number of width bytes at at, which the caller made sure lie within bytes.
std::uint32_t bigEndian(std::string_view bytes, std::uint64_t at, std::uint64_t width) {
    if (width == 4) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, 4);
        return std::endian::native == std::endian::big ? value : __builtin_bswap32(value);
    }
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + at, 2);
    return std::endian::native == std::endian::big ? value : __builtin_bswap16(value);
}

// Big-endian reads that fail for good once one would leave the file.
class Cursor {
public:
    explicit Cursor(std::string_view bytes)
        : bytes_(bytes) {}
    std::uint32_t word(std::uint64_t at) { return number(at, 4); }
    std::uint16_t half(std::uint64_t at) { return static_cast<std::uint16_t>(number(at, 2)); }
    // The NUL-terminated text at at.
    std::string_view text(std::uint64_t at) {
        if (at >= bytes_.size())
            return fail();
        const auto end = bytes_.find('\0', at);
        if (end == std::string_view::npos)
            return fail();
        return bytes_.substr(at, end - at);
    }
    // Whether count items of itemBytes each fit from at on.
    bool fits(std::uint64_t at, std::uint64_t count, std::uint64_t itemBytes) {
        if (at > bytes_.size() || count > (bytes_.size() - at) / itemBytes)
            ok_ = false;
        return ok_;
    }
    bool ok() const { return ok_; }
    void reject() { ok_ = false; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::uint32_t number(std::uint64_t at, std::uint64_t width) {
        return fits(at, 1, width) ? bigEndian(bytes_, at, width) : 0;
    }
    std::string_view fail() {
        ok_ = false;
        return {};
    }

    std::string_view bytes_;
    bool ok_ = true;
};

// The hash GTK files names under: its characters taken as signed.
std::uint32_t nameHash(std::string_view name) {
    std::uint32_t hash = 0;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto character = static_cast<std::uint32_t>(static_cast<signed char>(name[at]));
        hash = at == 0 ? character : (hash << 5) - hash + character;
    }
    return hash;
}

int rankOf(std::uint16_t flags) {
    return (flags & hasPng) != 0 ? 0 : (flags & hasSvg) != 0 ? 1 : (flags & hasXpm) != 0 ? 2 : -1;
}

} // namespace

std::optional<GtkIconCache> decodeGtkIconCache(std::string_view bytes) {
    Cursor in(bytes);
    if (in.half(0) != 1 || in.half(2) != 0)
        return std::nullopt;
    const std::uint32_t hashAt = in.word(4);
    const std::uint32_t directoriesAt = in.word(8);
    GtkIconCache cache;

    const std::uint32_t directoryCount = in.word(directoriesAt);
    if (!in.fits(std::uint64_t{directoriesAt} + 4, directoryCount, 4) || directoryCount > 0xFFFF)
        return std::nullopt;
    cache.directories.reserve(directoryCount);
    for (std::uint32_t directory = 0; directory < directoryCount && in.ok(); ++directory)
        cache.directories.push_back(
            in.text(in.word(std::uint64_t{directoriesAt} + 4 + 4 * directory)));

    const std::uint32_t bucketCount = in.word(hashAt);
    if (!in.fits(std::uint64_t{hashAt} + 4, bucketCount, 4))
        return std::nullopt;
    // Every icon record takes twelve bytes: a chain longer than the file can hold loops.
    std::size_t stepsLeft = bytes.size() / iconRecordBytes;
    for (std::uint32_t bucket = 0; bucket < bucketCount && in.ok(); ++bucket) {
        for (std::uint32_t icon = in.word(std::uint64_t{hashAt} + 4 + 4 * bucket);
             icon != noOffset && in.ok(); icon = in.word(icon)) {
            if (stepsLeft-- == 0 || !in.fits(icon, 1, iconRecordBytes))
                return std::nullopt;
            const std::string_view name = in.text(in.word(std::uint64_t{icon} + 4));
            const std::uint32_t imagesAt = in.word(std::uint64_t{icon} + 8);
            const std::uint32_t imageCount = in.word(imagesAt);
            if (!in.fits(std::uint64_t{imagesAt} + 4, imageCount, 8) ||
                nameHash(name) % bucketCount != bucket)
                return std::nullopt;
            const bool usable =
                !name.empty() && name.find('/') == std::string_view::npos && isValidUtf8(name);
            const auto first = static_cast<std::uint32_t>(cache.images.size());
            for (std::uint32_t image = 0; image < imageCount; ++image) {
                // Within the file: the whole list fits.
                const std::uint64_t at = std::uint64_t{imagesAt} + 4 + 8 * image;
                const auto directory = static_cast<std::uint16_t>(bigEndian(bytes, at, 2));
                const auto flags = static_cast<std::uint16_t>(bigEndian(bytes, at + 2, 2));
                const std::uint32_t data = bigEndian(bytes, at + 4, 4);
                if (directory >= directoryCount || flags == 0 ||
                    flags > (hasXpm | hasSvg | hasPng | hasIconFile) ||
                    (data != 0 && data >= bytes.size()))
                    return std::nullopt;
                if (const int rank = rankOf(flags); usable && rank >= 0)
                    cache.images.push_back({directory, static_cast<std::uint8_t>(rank)});
            }
            if (const auto count = static_cast<std::uint32_t>(cache.images.size()) - first;
                count > 0)
                cache.icons.push_back({name, first, count});
        }
    }
    if (!in.ok())
        return std::nullopt;
    return cache;
}

} // namespace orbitdeck
