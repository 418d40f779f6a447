#pragma once

#include <QString>

#include <cstdint>

class QLocale;

namespace orbitdeck {

// A byte count in the file style: decimal units, "Zero KB", "1 byte", "999 bytes", "2 KB",
// "1.5 MB", "1.23 GB". Every size the user reads is written this way.
QString formatFileByteCount(std::int64_t bytes, const QLocale& locale);

} // namespace orbitdeck
