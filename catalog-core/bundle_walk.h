#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace orbitdeck {

// Walks root up to maxDepth levels without following directory links and without entering
// packages or hidden items. visit gets every ".app" item (any case), whatever its type; names that
// are not valid UTF-8 are skipped with their descendants. Errors skip the item, never the walk.
void walkBundles(const std::filesystem::path& root, int maxDepth,
                 const std::function<void(const std::filesystem::path&)>& visit);

bool hasExtensionIgnoringCase(std::string_view name, std::string_view extension);

} // namespace orbitdeck
