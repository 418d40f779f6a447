#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace orbitdeck {

// The few information values the launcher reads from a bundle. A value that is absent, not text,
// or not valid UTF-8 is left empty.
struct BundleInfo {
    std::optional<std::string> packageType;
    std::optional<std::string> displayName;
    std::optional<std::string> name;
    std::optional<std::string> identifier;
    std::optional<std::string> executable;
    std::optional<std::string> iconFile;
};

// Real information files stay far below this; anything bigger is not read at all.
inline constexpr std::size_t maxInfoPlistBytes = 1024 * 1024;

// Decodes an XML or binary property list whose top level is a dictionary; none otherwise.
std::optional<BundleInfo> parseInfoPlist(std::span<const std::uint8_t> bytes);

// Reads <bundle>/Contents/Info.plist: none when it is missing, not a regular file, larger than
// the cap, unreadable or broken.
std::optional<BundleInfo> readBundleInfo(const std::filesystem::path& bundle);

// The bytes of a regular file of at most maxBytes; none otherwise. Never blocks on a FIFO.
std::optional<std::string> readSmallFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace orbitdeck
