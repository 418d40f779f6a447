#pragma once

#include "catalog-core/strings_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

struct BundleInfo;

// InfoPlist.strings files beyond this are not read; real ones hold a handful of names.
inline constexpr std::size_t maxInfoPlistStringsBytes = 256 * 1024;

// The localisations a bundle provides: the names of its Contents/Resources/*.lproj folders
// without the extension, "Base" excepted (it holds no translations), in code-point order.
std::vector<std::string> bundleLocalizations(const std::filesystem::path& bundle);

// The InfoPlist.strings of the bundle's localisation for the first of the user's languages it
// serves (same tag, language and script, language). None when no localisation fits or its file
// is missing, too large or holds no entries.
std::optional<StringsEntries> localizedInfoStrings(const std::filesystem::path& bundle,
                                                   const std::vector<std::string>& languages);

// Replaces the bundle's names with the localised ones its strings give; each key falls back to
// the Info.plist value on its own.
void applyLocalizedNames(BundleInfo& info, const StringsEntries& strings);

} // namespace orbitdeck
