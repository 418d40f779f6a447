#include "platform/plist_guard.h"

#include <QByteArrayView>
#include <QRegularExpression>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace orbitdeck {
namespace {

constexpr int maxNesting = 64;
// The parser copies an object once per reference to it, so a few arrays that each point at the
// next many times expand beyond any memory; no domain comes near this many values.
constexpr uint64_t maxExpandedNodes = 1 << 18;

bool xmlSafeToParse(const QByteArray& bytes) {
    // XML allows neither a NUL byte nor a reference to character 0.
    static const QRegularExpression zeroReference(QStringLiteral("&#(?:0+|[xX]0+);"));
    if (bytes.contains('\0') || zeroReference.match(QString::fromLatin1(bytes)).hasMatch())
        return false;
    int depth = 0;
    for (qsizetype i = bytes.indexOf('<'); i >= 0; i = bytes.indexOf('<', i + 1)) {
        const QByteArrayView tag = QByteArrayView(bytes).sliced(i + 1);
        if (tag.startsWith("/array") || tag.startsWith("/dict")) {
            --depth;
            continue;
        }
        if (!tag.startsWith("array") && !tag.startsWith("dict"))
            continue;
        const qsizetype end = bytes.indexOf('>', i);
        const bool empty = end > 0 && bytes[end - 1] == '/';
        if (!empty && ++depth > maxNesting)
            return false;
    }
    return true;
}

class BinaryPlist {
public:
    explicit BinaryPlist(const QByteArray& bytes)
        : bytes_(bytes) {}

    bool safeToParse() {
        constexpr qsizetype trailerSize = 32;
        if (bytes_.size() < 8 + trailerSize)
            return false;
        const qsizetype trailer = bytes_.size() - trailerSize;
        const auto width = static_cast<int>(byte(trailer + 6));
        const auto objects = number(trailer + 8, 8);
        const auto tableStart = number(trailer + 24, 8);
        const auto end = static_cast<uint64_t>(trailer);
        if (width < 1 || width > 8 || !objects || !tableStart || *tableStart > end ||
            *objects > (end - *tableStart) / static_cast<uint64_t>(width))
            return false;
        // Depth is at most the number of arrays and dictionaries.
        int containers = 0;
        for (uint64_t n = 0; n < *objects; ++n) {
            const auto offset = number(static_cast<qsizetype>(*tableStart + n * width), width);
            if (!offset || *offset >= end)
                return false;
            const auto at = static_cast<qsizetype>(*offset);
            const int kind = byte(at) >> 4;
            if ((kind == 0xA || kind == 0xC || kind == 0xD) && ++containers > maxNesting)
                return false;
            if ((kind == 0x5 || kind == 0x6) && !stringWithoutNul(at, kind == 0x6 ? 2 : 1))
                return false;
            offsets_.push_back(at);
        }
        refSize_ = byte(trailer + 7);
        const auto top = number(trailer + 16, 8);
        if (refSize_ < 1 || refSize_ > 8 || !top || *top >= *objects)
            return false;
        expanded_.assign(offsets_.size(), 0);
        const auto nodes = expandedNodes(*top);
        return nodes && *nodes <= maxExpandedNodes;
    }

private:
    uint8_t byte(qsizetype at) const { return static_cast<uint8_t>(bytes_[at]); }

    std::optional<uint64_t> number(qsizetype at, int width) const {
        if (at < 0 || at + width > bytes_.size())
            return std::nullopt;
        uint64_t value = 0;
        for (int i = 0; i < width; ++i)
            value = (value << 8) | byte(at + i);
        return value;
    }

    // A string object: marker with a count in its low half, or 0xF and an integer object.
    bool stringWithoutNul(qsizetype at, int unitSize) const {
        uint64_t count = byte(at) & 0xF;
        qsizetype start = at + 1;
        if (count == 0xF) {
            if (start >= bytes_.size() || (byte(start) >> 4) != 0x1)
                return false;
            const int width = 1 << (byte(start) & 0xF);
            const auto length = width <= 8 ? number(start + 1, width) : std::nullopt;
            if (!length)
                return false;
            count = *length;
            start += 1 + width;
        }
        if (count > static_cast<uint64_t>(bytes_.size() - start) / unitSize)
            return false;
        for (uint64_t i = 0; i < count; ++i) {
            const qsizetype unit = start + static_cast<qsizetype>(i) * unitSize;
            if (byte(unit) == 0 && (unitSize == 1 || byte(unit + 1) == 0))
                return false;
        }
        return true;
    }

    // A count in the marker's low half, or 0xF and an integer object after it.
    std::optional<std::pair<uint64_t, qsizetype>> countAndStart(qsizetype at) const {
        const uint64_t low = byte(at) & 0xF;
        if (low != 0xF)
            return std::pair{low, at + 1};
        if (at + 1 >= bytes_.size() || (byte(at + 1) >> 4) != 0x1)
            return std::nullopt;
        const int width = 1 << (byte(at + 1) & 0xF);
        const auto count = width <= 8 ? number(at + 2, width) : std::nullopt;
        if (!count)
            return std::nullopt;
        return std::pair{*count, at + 2 + width};
    }

    // The nodes the parser builds for an object, each reference copied; none when the object
    // refers back to itself or the count passes the bound.
    std::optional<uint64_t> expandedNodes(uint64_t object) {
        if (object >= offsets_.size())
            return std::nullopt;
        uint64_t& memo = expanded_[object];
        if (memo == inProgress)
            return std::nullopt;
        if (memo != 0)
            return memo;
        const qsizetype at = offsets_[object];
        const int kind = byte(at) >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD)
            return memo = 1;
        const auto found = countAndStart(at);
        if (!found)
            return std::nullopt;
        const auto [count, start] = *found;
        const uint64_t references = kind == 0xD ? 2 * count : count;
        if (references > static_cast<uint64_t>(bytes_.size() - start) / refSize_)
            return std::nullopt;
        memo = inProgress;
        uint64_t total = 1;
        for (uint64_t i = 0; i < references; ++i) {
            const auto child = number(start + static_cast<qsizetype>(i * refSize_), refSize_);
            const auto nodes = child ? expandedNodes(*child) : std::nullopt;
            if (!nodes || (total += *nodes) > maxExpandedNodes)
                return std::nullopt; // memo stays in progress: the whole file is refused anyway
        }
        return memo = total;
    }

    static constexpr uint64_t inProgress = ~uint64_t{0};
    const QByteArray& bytes_;
    std::vector<qsizetype> offsets_;
    std::vector<uint64_t> expanded_;
    int refSize_ = 0;
};

} // namespace

bool plistSafeToParse(const QByteArray& bytes) {
    if (bytes.startsWith("bplist"))
        return BinaryPlist(bytes).safeToParse();
    return xmlSafeToParse(bytes);
}

} // namespace orbitdeck
