#pragma once

#include "layout-core/layout_graph.h"
#include "library/library_layout.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orbitdeck {

// Looks a key up in the interface language's string table.
using LocalizedText = std::function<std::string(std::string_view key)>;

// The title a folder is shown and sorted under: the translated default names while the folder
// still bears them ("Other" for the utilities folder, "New Folder" for any), else its own
// name. The stored name is never changed.
std::string folderDisplayName(const LayoutFolder& folder, const LocalizedText& localized);

// The shown title of every folder of the layout, by folder id, as the sort orders read them.
std::unordered_map<std::string, std::string> folderTitles(const LibraryLayout& layout,
                                                          const LocalizedText& localized);

} // namespace orbitdeck
