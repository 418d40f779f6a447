#pragma once
// The payload a dragged tile carries: one layout item under "item", as JSON.
#include "layout-core/layout_item.h"

#include <functional>
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

// What a dragged tile offers, made once when the drag starts.
struct LibraryDragOffer {
    // The encoded LibraryDrag; none when the item cannot be encoded (the drag still starts).
    std::optional<std::string> payload;
    // An application's bundle, and the name a drop elsewhere would suggest ("Calculator" for
    // ".../Calculator.app"). Folder tiles offer neither.
    std::optional<std::string> bundlePath;
    std::string suggestedName;
};

// bundlePathOf answers the bundle of an application or placeholder identifier, if installed.
LibraryDragOffer
libraryDragOffer(const LayoutItem& item,
                 const std::function<std::optional<std::string>(const std::string&)>& bundlePathOf);

} // namespace orbitdeck
