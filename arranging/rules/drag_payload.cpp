#include "arranging/rules/drag_payload.h"

#include "layout-core/layout_coding.h"

#include <filesystem>

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

LibraryDragOffer libraryDragOffer(
    const LayoutItem& item,
    const std::function<std::optional<std::string>(const std::string&)>& bundlePathOf) {
    LibraryDragOffer offer{
        .payload = encodeLibraryDrag({.item = item}), .bundlePath = {}, .suggestedName = {}};
    if (item.isFolder())
        return offer;
    offer.bundlePath = bundlePathOf(item.payload);
    if (!offer.bundlePath)
        return offer;
    std::filesystem::path bundle(*offer.bundlePath);
    if (!bundle.has_filename())
        bundle = bundle.parent_path(); // ".../Calculator.app/"
    offer.suggestedName = bundle.stem().string();
    return offer;
}

} // namespace orbitdeck
