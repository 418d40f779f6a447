#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orbitdeck {

// What GTK's icon-theme.cache of one theme folder says: each icon name, and the folders below the
// theme folder holding a file of that name with the suffixes found there. Desktop packages write
// one for every theme they install, so a theme is known without listing its folders.
struct GtkIconCache {
    struct Image {
        std::uint16_t directory = 0; // in directories
        std::uint8_t rank = 0;       // of the best suffix, as in iconExtensions
    };
    struct Icon {
        std::string_view name;
        std::uint32_t firstImage = 0;
        std::uint32_t imageCount = 0;
    };

    std::vector<std::string_view> directories;
    std::vector<Icon> icons;
    std::vector<Image> images;
};

// The cache in bytes, its names and directories pointing into them; none when any offset leaves
// the file, a chain loops, a name sits in another bucket than its hash or an image names a
// directory the file does not have. Names that are not valid UTF-8 or hold a '/' and images of
// no PNG, SVG or XPM file are left out.
std::optional<GtkIconCache> decodeGtkIconCache(std::string_view bytes);

} // namespace orbitdeck
