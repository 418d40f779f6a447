#pragma once
// The payload a dragged tile carries: one layout item under "item", as JSON.
#include "layout-core/layout_item.h"

#include <optional>
#include <string>
#include <string_view>

namespace orbitdeck {

inline constexpr std::string_view libraryItemContentType = "dev.ambergrid.library-item";

struct LibraryDrag {
    LayoutItem item;

    friend bool operator==(const LibraryDrag&, const LibraryDrag&) = default;
};

// None when an identifier is not valid UTF-8.
std::optional<std::string> encodeLibraryDrag(const LibraryDrag& drag);
// Throws LayoutDecodingError for bytes that are not one object with a decodable "item".
LibraryDrag decodeLibraryDrag(std::string_view bytes);
// The same, answering none instead of throwing (drop targets refuse such a drop).
std::optional<LibraryDrag> readLibraryDrag(std::string_view bytes);

} // namespace orbitdeck
