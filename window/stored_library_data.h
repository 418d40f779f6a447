#pragma once

#include "window/library_state.h"

#include <QByteArray>

#include <optional>
#include <set>
#include <string>

namespace orbitdeck {

// Seconds between the Unix epoch and 1 January 2001 UTC, the origin of stored dates.
inline constexpr std::int64_t referenceDateOffsetSeconds = 978307200;

// The stored JSON forms of the launch bookkeeping and the hidden set. Reading is lenient:
// absent or undecodable data is empty. Writing gives none only when a text is not UTF-8.
RecentUse decodeRecentUse(const QByteArray& data);
std::optional<QByteArray> encodeRecentUse(const RecentUse& dates);
LaunchCounts decodeLaunchCounts(const QByteArray& data);
std::optional<QByteArray> encodeLaunchCounts(const LaunchCounts& counts);
HiddenIDs decodeHiddenIDs(const QByteArray& data);
// An array sorted ascending by plain byte order.
std::optional<QByteArray> encodeHiddenIDs(const HiddenIDs& ids);

// Sets of texts (the folders the catalog has listed) stored as a sorted JSON array; none when
// absent or undecodable.
std::optional<std::set<std::string>> decodeTextSet(const QByteArray& data);
std::optional<QByteArray> encodeTextSet(const std::set<std::string>& texts);

double secondsSinceReferenceDate(LibraryDate date);
LibraryDate dateFromReferenceSeconds(double seconds);

} // namespace orbitdeck
