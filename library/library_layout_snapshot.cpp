// The stored form of the library layout and the restore that completes it with new applications.
#include "library/library_layout.h"

#include "layout-core/layout_coding.h"

#include <algorithm>
#include <unordered_set>

namespace orbitdeck {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

struct Arrangement {
    std::vector<LayoutItem> items;
    std::vector<LayoutFolder> folders;
};

std::vector<LayoutItem> decodeItems(const Json& value, const CodingPath& path) {
    const Json& list = json_decode::array(value, path);
    std::vector<LayoutItem> items;
    items.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        items.push_back(decodeLayoutItem(list[i], path.index(i)));
    return items;
}

LayoutFolder decodeFolder(const Json& value, const CodingPath& path) {
    const Json& object = json_decode::object(value, path);
    const auto field = [&](std::string_view key) -> const Json& {
        return json_decode::member(object, key, path);
    };
    return LayoutFolder{
        .id = decodeFolderID(field("id"), path.key("id")),
        .name = json_decode::string(field("name"), path.key("name")),
        .items = decodeItems(field("items"), path.key("items")),
    };
}

Arrangement decodeSnapshot(std::string_view data) {
    const Json document = json_decode::parse(data);
    const CodingPath root;
    const Json& object = json_decode::object(document, root);
    Arrangement arrangement{
        .items = decodeItems(json_decode::member(object, "items", root), root.key("items")),
        .folders = {},
    };
    const CodingPath foldersPath = root.key("folders");
    const Json& folders =
        json_decode::array(json_decode::member(object, "folders", root), foldersPath);
    arrangement.folders.reserve(folders.size());
    for (std::size_t i = 0; i < folders.size(); ++i)
        arrangement.folders.push_back(decodeFolder(folders[i], foldersPath.index(i)));
    return arrangement;
}

OrderedJson encodeItems(const std::vector<LayoutItem>& items) {
    OrderedJson list = OrderedJson::array();
    list.get_ref<OrderedJson::array_t&>().reserve(items.size());
    for (const auto& item : items)
        list.push_back(encodeJSON<OrderedJson>(item));
    return list;
}

// The stored page plus the installed ids it lacks, appended in catalog order.
std::optional<LayoutGraph> completed(const PageID& pageID, Arrangement arrangement,
                                     const std::vector<std::string>& installed) {
    std::unordered_set<std::string_view, LayoutTextHash, LayoutTextEqual> present;
    const auto note = [&](const std::vector<LayoutItem>& items) {
        for (const auto& item : items)
            if (!item.isFolder())
                present.insert(item.payload);
    };
    present.reserve(arrangement.items.size() + installed.size());
    note(arrangement.items);
    for (const auto& folder : arrangement.folders)
        note(folder.items);
    std::vector<LayoutItem> appended;
    for (const auto& id : installed)
        // An empty id could never validate and would cost the user the whole arrangement.
        if (!id.empty() && present.insert(id).second)
            appended.push_back(LayoutItem::application(id));
    arrangement.items.insert(arrangement.items.end(), std::make_move_iterator(appended.begin()),
                             std::make_move_iterator(appended.end()));
    try {
        return LayoutGraph::make({LayoutPage{.id = pageID, .items = std::move(arrangement.items)}},
                                 std::move(arrangement.folders));
    } catch (const LayoutError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<std::string> LibraryLayout::encodedSnapshot() const {
    if (!graph)
        return std::nullopt;
    OrderedJson folders = OrderedJson::array();
    for (const auto& [id, folder] : graph->folders()) {
        OrderedJson saved = OrderedJson::object();
        saved["id"] = encodeJSON<OrderedJson>(id);
        saved["name"] = folder.name;
        saved["items"] = encodeItems(folder.items);
        folders.push_back(std::move(saved));
    }
    OrderedJson snapshot = OrderedJson::object();
    snapshot["items"] = encodeItems(pageItems());
    snapshot["folders"] = std::move(folders);
    return platformJSONBytes(snapshot);
}

void LibraryLayout::restore(std::string_view data, const std::vector<std::string>& installed) {
    Arrangement stored;
    try {
        stored = decodeSnapshot(data);
    } catch (const LayoutDecodingError&) {
        stored = {};
    }
    // Appending ids that are new and non-empty neither makes nor mends an offence, so one
    // validation of the completed page tells whether the stored arrangement holds.
    const bool storedSomething = !stored.items.empty() || !stored.folders.empty();
    graph = completed(pageID, std::move(stored), installed);
    if (!graph && storedSomething)
        graph = completed(pageID, {}, installed);
}

} // namespace orbitdeck
