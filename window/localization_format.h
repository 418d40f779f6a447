#pragma once

#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace orbitdeck {

// What a placeholder takes: "%@" a text, "%lld" (or %ld, %d) an integer.
enum class PlaceholderKind { text, integer };
using FormatArgument = std::variant<QString, qint64>;

// The kinds a format expects, by argument position (positional "%2$lld" and sequential
// placeholders alike). None when the format is malformed: an unknown conversion, a lone
// "%", positional and sequential placeholders mixed, or one position of two kinds.
std::optional<std::vector<PlaceholderKind>> placeholderSignature(const QString& format);

// Fills a format with arguments by our own rules, never through printf: a translated format
// whose placeholders do not fit the arguments falls back to the English format, and one that
// still does not fit is shown as it stands.
QString formatText(const QString& format, const std::vector<FormatArgument>& arguments,
                   const QString& fallbackFormat);

} // namespace orbitdeck
