#include "window/localization_format.h"

namespace orbitdeck {
namespace {

struct Placeholder {
    qsizetype start = 0;
    qsizetype length = 0;
    int position = 0; // 0-based argument index
    PlaceholderKind kind = PlaceholderKind::text;
};

struct ParsedFormat {
    std::vector<Placeholder> placeholders; // "%%" is one with position -1
};

// Reads one conversion after '%' at index; none when it is not one we support.
std::optional<Placeholder> readPlaceholder(const QString& format, qsizetype percent,
                                           int& sequential, bool& sawPositional,
                                           bool& sawSequential) {
    qsizetype i = percent + 1;
    if (i < format.size() && format[i] == u'%')
        return Placeholder{percent, 2, -1, PlaceholderKind::text};
    int position = -1;
    qsizetype digits = i;
    while (digits < format.size() && format[digits].isDigit())
        ++digits;
    if (digits > i && digits < format.size() && format[digits] == u'$') {
        bool ok = false;
        position = format.mid(i, digits - i).toInt(&ok) - 1;
        if (!ok || position < 0 || position > 99)
            return std::nullopt;
        i = digits + 1;
        sawPositional = true;
    } else {
        position = sequential++;
        sawSequential = true;
    }
    for (const auto& [spelling, kind] : {std::pair{QStringLiteral("@"), PlaceholderKind::text},
                                         std::pair{QStringLiteral("lld"), PlaceholderKind::integer},
                                         std::pair{QStringLiteral("ld"), PlaceholderKind::integer},
                                         std::pair{QStringLiteral("d"), PlaceholderKind::integer}})
        if (QStringView(format).mid(i).startsWith(spelling))
            return Placeholder{percent, i + spelling.size() - percent, position, kind};
    return std::nullopt;
}

std::optional<ParsedFormat> parseFormat(const QString& format) {
    ParsedFormat parsed;
    int sequential = 0;
    bool sawPositional = false;
    bool sawSequential = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%')
            continue;
        auto placeholder = readPlaceholder(format, i, sequential, sawPositional, sawSequential);
        if (!placeholder)
            return std::nullopt;
        parsed.placeholders.push_back(*placeholder);
        i += placeholder->length - 1;
    }
    if (sawPositional && sawSequential)
        return std::nullopt;
    return parsed;
}

bool fits(const std::vector<PlaceholderKind>& signature,
          const std::vector<FormatArgument>& arguments) {
    if (signature.size() > arguments.size())
        return false;
    for (size_t i = 0; i < signature.size(); ++i)
        if ((signature[i] == PlaceholderKind::integer) !=
            std::holds_alternative<qint64>(arguments[i]))
            return false;
    return true;
}

QString argumentText(const FormatArgument& argument) {
    if (const auto* number = std::get_if<qint64>(&argument))
        return QString::number(*number);
    return std::get<QString>(argument);
}

std::optional<QString> tryFormat(const QString& format,
                                 const std::vector<FormatArgument>& arguments) {
    const auto parsed = parseFormat(format);
    const auto signature = placeholderSignature(format);
    if (!parsed || !signature || !fits(*signature, arguments))
        return std::nullopt;
    QString result;
    qsizetype copied = 0;
    for (const Placeholder& placeholder : parsed->placeholders) {
        result.append(QStringView(format).mid(copied, placeholder.start - copied));
        result.append(placeholder.position < 0 ? QStringLiteral("%")
                                               : argumentText(arguments[placeholder.position]));
        copied = placeholder.start + placeholder.length;
    }
    result.append(QStringView(format).mid(copied));
    return result;
}

} // namespace

std::optional<std::vector<PlaceholderKind>> placeholderSignature(const QString& format) {
    const auto parsed = parseFormat(format);
    if (!parsed)
        return std::nullopt;
    std::vector<std::optional<PlaceholderKind>> kinds;
    for (const Placeholder& placeholder : parsed->placeholders) {
        if (placeholder.position < 0)
            continue;
        if (kinds.size() <= static_cast<size_t>(placeholder.position))
            kinds.resize(placeholder.position + 1);
        auto& slot = kinds[placeholder.position];
        if (slot && *slot != placeholder.kind)
            return std::nullopt;
        slot = placeholder.kind;
    }
    std::vector<PlaceholderKind> signature;
    for (const auto& kind : kinds) {
        if (!kind)
            return std::nullopt; // a position nobody uses: "%2$@" without "%1$…"
        signature.push_back(*kind);
    }
    return signature;
}

QString formatText(const QString& format, const std::vector<FormatArgument>& arguments,
                   const QString& fallbackFormat) {
    if (auto text = tryFormat(format, arguments))
        return *text;
    if (auto text = tryFormat(fallbackFormat, arguments))
        return *text;
    return format;
}

} // namespace orbitdeck
