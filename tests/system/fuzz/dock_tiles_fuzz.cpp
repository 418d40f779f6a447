// The Dock's preferences are whatever is on disk: reading the tiles and their locations must
// never crash, and a list that was read must survive being written back.
#include "platform/plist_node.h"
#include "system/dock_integration.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto root = orbitdeck::PlistNode::parse(bytes);
    if (!root)
        return 0;
    const auto tiles = root->child("persistent-apps").items();
    if (!tiles)
        return 0;
    for (const auto& tile : *tiles)
        orbitdeck::dockTilePath(tile);
    const auto again = orbitdeck::PlistNode::parse(orbitdeck::PlistNode::array(*tiles).toXml());
    if (!again || !again->items() || again->items()->size() != tiles->size())
        std::abort();
    return 0;
}
