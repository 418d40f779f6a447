// Stored layout bytes are untrusted: whatever they hold, restoring must give a valid layout that
// keeps every installed application, and its snapshot must restore to the same graph.
#include "layout-core/layout_coding.h"
#include "library/library_layout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

const std::vector<std::string> installed = {
    "a", "b", "bundle:com.example.c", "path:/Applications/D.app", "caf\xC3\xA9", "x", "a"};

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbitdeck;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The same bytes as a drag payload item.
    try {
        (void)decodeLayoutItem(json_decode::parse(bytes));
    } catch (const LayoutDecodingError&) {
    }

    LibraryLayout layout{.pageID = PageID{"applications"}, .graph = {}};
    layout.restore(bytes, installed);
    require(layout.graph.has_value());
    for (const auto& id : installed)
        require(layout.position(LayoutItem::application(id)) ||
                layout.position(LayoutItem::placeholder(id)));

    const auto encoded = layout.encodedSnapshot();
    require(encoded.has_value());
    LibraryLayout again{.pageID = layout.pageID, .graph = {}};
    again.restore(*encoded, installed);
    require(again.graph == layout.graph);
    require(again.encodedSnapshot() == encoded);
    return 0;
}
