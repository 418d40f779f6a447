#include "library/folder_titles.h"

namespace orbitdeck {
namespace {

constexpr std::string_view defaultFolderName = "New Folder";

} // namespace

std::string folderDisplayName(const LayoutFolder& folder, const LocalizedText& localized) {
    if (folder.id.rawValue == LibraryLayout::utilitiesFolderID &&
        folder.name == LibraryLayout::utilitiesFolderName)
        return localized(LibraryLayout::utilitiesFolderName);
    if (folder.name == defaultFolderName)
        return localized(defaultFolderName);
    return folder.name;
}

std::unordered_map<std::string, std::string> folderTitles(const LibraryLayout& layout,
                                                          const LocalizedText& localized) {
    std::unordered_map<std::string, std::string> titles;
    if (layout.graph) {
        for (const auto& [id, folder] : layout.graph->folders())
            titles.emplace(id.rawValue, folderDisplayName(folder, localized));
    }
    return titles;
}

} // namespace orbitdeck
