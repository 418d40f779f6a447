#include "catalog-core/plist_shape.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace orbitdeck {
namespace {

// The object graph of a binary plist ("bplist00", objects, offset table, 32-byte trailer).
class BinaryPlistShape {
public:
    explicit BinaryPlistShape(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}

    bool withinBounds() {
        if (!readTrailer())
            return false;
        shapes_.assign(objectCount_, Shape{});
        const auto shape = measure(top_, 1);
        return shape && shape->height <= maxPlistDepth && shape->nodes <= maxPlistNodes;
    }

    // Every object in the table, reachable or not, lies inside the file, and no string holds a
    // NUL unit.
    bool textsFreeOfNul() {
        if (!readTrailer())
            return false;
        for (std::uint64_t index = 0; index < objectCount_; ++index) {
            const auto offset = number(table_ + index * offsetSize_, offsetSize_);
            if (!offset || *offset >= trailer_)
                return false;
            const int kind = bytes_[*offset] >> 4;
            if ((kind == 0x5 || kind == 0x6) && !stringFreeOfNul(*offset, kind == 0x6 ? 2 : 1))
                return false;
        }
        return true;
    }

private:
    bool readTrailer() {
        constexpr std::size_t trailerSize = 32;
        if (bytes_.size() < 8 + trailerSize)
            return false;
        trailer_ = bytes_.size() - trailerSize;
        offsetSize_ = bytes_[trailer_ + 6];
        refSize_ = bytes_[trailer_ + 7];
        const auto objects = number(trailer_ + 8, 8);
        const auto top = number(trailer_ + 16, 8);
        const auto table = number(trailer_ + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8 || !objects ||
            !top || !table || *table > trailer_ || *objects > (trailer_ - *table) / offsetSize_ ||
            *top >= *objects)
            return false;
        objectCount_ = *objects;
        top_ = *top;
        table_ = *table;
        return true;
    }

    struct Shape {
        enum class State : std::uint8_t { unseen, measuring, measured };
        State state = State::unseen;
        int height = 0;
        std::uint64_t nodes = 0;
    };

    std::optional<std::uint64_t> number(std::uint64_t at, std::size_t width) const {
        if (at > bytes_.size() || width > bytes_.size() - at)
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = (value << 8) | bytes_[at + i];
        return value;
    }

    // A count in the marker's low half, or 0xF and an integer object after it; none when the
    // integer is malformed.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> countAndStart(std::uint64_t at) const {
        std::uint64_t count = bytes_[at] & 0xF;
        std::uint64_t start = at + 1;
        if (count != 0xF)
            return std::pair{count, start};
        if (start >= bytes_.size() || (bytes_[start] >> 4) != 0x1 || (bytes_[start] & 0xF) > 3)
            return std::nullopt;
        const std::size_t width = std::size_t{1} << (bytes_[start] & 0xF);
        const auto length = number(start + 1, width);
        if (!length)
            return std::nullopt;
        return std::pair{*length, start + 1 + width};
    }

    // An ASCII (one-byte units) or UTF-16 (two-byte units) string object.
    bool stringFreeOfNul(std::uint64_t at, std::size_t unitSize) const {
        const auto found = countAndStart(at);
        if (!found || found->second > bytes_.size() ||
            found->first > (bytes_.size() - found->second) / unitSize)
            return false;
        const auto [count, start] = *found;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t unit = start + i * unitSize;
            if (bytes_[unit] == 0 && (unitSize == 1 || bytes_[unit + 1] == 0))
                return false;
        }
        return true;
    }

    struct References {
        std::uint64_t count = 0;
        std::uint64_t start = 0;
        bool malformed = false;
    };
    static constexpr References broken{.count = 0, .start = 0, .malformed = true};

    // The references an array, set or dictionary holds and where they start; none for others.
    References references(std::uint64_t at) const {
        if (at >= bytes_.size())
            return broken;
        const int kind = bytes_[at] >> 4;
        if (kind != 0xA && kind != 0xC && kind != 0xD)
            return {};
        const auto found = countAndStart(at);
        if (!found)
            return broken;
        const auto [count, start] = *found;
        if (count > bytes_.size())
            return broken;
        return {.count = kind == 0xD ? count * 2 : count, .start = start, .malformed = false};
    }

    // Height and node count of the tree the parser would build from object index; none when it
    // exceeds the bounds or refers to itself.
    std::optional<Shape> measure(std::uint64_t index, int depth) {
        if (depth > maxPlistDepth || index >= objectCount_)
            return std::nullopt;
        Shape& shape = shapes_[index];
        if (shape.state == Shape::State::measured)
            return depth + shape.height - 1 <= maxPlistDepth ? std::optional(shape) : std::nullopt;
        if (shape.state == Shape::State::measuring)
            return std::nullopt;
        shape.state = Shape::State::measuring;
        const auto offset = number(table_ + index * offsetSize_, offsetSize_);
        Shape measured{.state = Shape::State::measured, .height = 1, .nodes = 1};
        const auto children = offset ? references(*offset) : broken;
        if (children.malformed || children.start > bytes_.size() ||
            children.count > (bytes_.size() - children.start) / refSize_)
            return std::nullopt;
        for (std::uint64_t child = 0; child < children.count; ++child) {
            const auto reference = number(children.start + child * refSize_, refSize_);
            const auto inner = reference ? measure(*reference, depth + 1) : std::nullopt;
            if (!inner)
                return std::nullopt;
            measured.height = std::max(measured.height, inner->height + 1);
            measured.nodes += inner->nodes;
            if (measured.nodes > maxPlistNodes)
                return std::nullopt;
        }
        shapes_[index] = measured;
        return measured;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t trailer_ = 0;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t top_ = 0;
    std::uint64_t table_ = 0;
    std::vector<Shape> shapes_;
};

// XML cannot share objects, so only nesting matters: open array and dict tags, minus closed ones.
bool xmlDepthWithinBounds(std::string_view text) {
    int depth = 0;
    for (auto at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        const auto tag = text.substr(at + 1);
        if (tag.starts_with("/array") || tag.starts_with("/dict")) {
            --depth;
        } else if (tag.starts_with("array") || tag.starts_with("dict")) {
            const auto end = text.find('>', at);
            if ((end == std::string_view::npos || text[end - 1] != '/') && ++depth > maxPlistDepth)
                return false;
        }
    }
    return true;
}

// XML allows neither a NUL byte nor a reference to character 0 ("&#0;", "&#x00;").
bool xmlFreeOfNul(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        return false;
    for (auto at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 2)) {
        std::size_t digit = at + 2;
        if (digit < text.size() && (text[digit] == 'x' || text[digit] == 'X'))
            ++digit;
        const std::size_t zeros = text.find_first_not_of('0', digit);
        if (zeros != digit && zeros != std::string_view::npos && text[zeros] == ';')
            return false;
    }
    return true;
}

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace

bool plistSafeToParse(std::span<const std::uint8_t> bytes) {
    if (!plistShapeWithinBounds(bytes))
        return false;
    const std::string_view text = asText(bytes);
    if (text.starts_with("bplist"))
        return BinaryPlistShape(bytes).textsFreeOfNul();
    return xmlFreeOfNul(text);
}

bool plistShapeWithinBounds(std::span<const std::uint8_t> bytes) {
    const std::string_view text = asText(bytes);
    if (text.starts_with("bplist"))
        return BinaryPlistShape(bytes).withinBounds();
    return xmlDepthWithinBounds(text);
}

} // namespace orbitdeck
