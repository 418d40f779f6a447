#include "arranging/drag_payload.h"

#include "layout-core/layout_coding.h"

namespace orbitdeck {

std::optional<std::string> encodeLibraryDrag(const LibraryDrag& drag) {
    nlohmann::json document = nlohmann::json::object();
    document["item"] = encodeJSON(drag.item);
    return platformJSONBytes(document);
}

LibraryDrag decodeLibraryDrag(std::string_view bytes) {
    const CodingPath root;
    const nlohmann::json document = json_decode::parse(bytes);
    const nlohmann::json& object = json_decode::object(document, root);
    return LibraryDrag{
        .item = decodeLayoutItem(json_decode::member(object, "item", root), root.key("item"))};
}

std::optional<LibraryDrag> readLibraryDrag(std::string_view bytes) {
    try {
        return decodeLibraryDrag(bytes);
    } catch (const LayoutDecodingError&) {
        return std::nullopt;
    }
}

} // namespace orbitdeck
