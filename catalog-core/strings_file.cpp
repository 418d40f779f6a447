#include "catalog-core/strings_file.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <unordered_set>

namespace orbitdeck {
namespace {

using Text = icu::UnicodeString;

Text decodeText(std::string_view bytes) {
    const bool littleEndian = bytes.starts_with("\xff\xfe");
    if (littleEndian || bytes.starts_with("\xfe\xff")) {
        Text text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            text.append(static_cast<char16_t>(littleEndian ? first | (second << 8)
                                                           : (first << 8) | second));
        }
        return text;
    }
    if (bytes.starts_with("\xef\xbb\xbf"))
        bytes.remove_prefix(3);
    return Text::fromUTF8(icu::StringPiece(bytes.data(), static_cast<int32_t>(bytes.size())));
}

std::string utf8(const Text& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

bool isSpace(char16_t c) {
    return u_isUWhiteSpace(c) != 0;
}

bool isBareWordChar(char16_t c) {
    return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_N_MASK)) != 0 || c == u'_' || c == u'.' ||
           c == u'-' || c == u'$' || c == u':' || c == u'/';
}

class Parser {
public:
    explicit Parser(Text text)
        : text_(std::move(text)) {}

    StringsEntries parse() {
        StringsEntries file;
        std::unordered_set<std::string> seen;
        while (skipSpaceAndComments() && !atEnd()) {
            auto entry = parseEntry();
            if (!entry) {
                file.error = StringsEntries::Error{line_, error_};
                break;
            }
            std::pair<std::string, std::string> decoded{utf8(entry->first), utf8(entry->second)};
            if (!seen.insert(decoded.first).second)
                file.duplicateKeys.push_back(decoded.first);
            file.entries.push_back(std::move(decoded));
        }
        if (!file.error && !error_.empty())
            file.error = StringsEntries::Error{line_, error_};
        return file;
    }

private:
    bool atEnd() const { return pos_ >= text_.length(); }
    char16_t peek(int32_t ahead = 0) const {
        return pos_ + ahead < text_.length() ? text_.charAt(pos_ + ahead) : u'\0';
    }
    char16_t take() {
        const char16_t c = text_.charAt(pos_++);
        if (c == u'\n')
            ++line_;
        return c;
    }
    bool fail(const char* message) {
        error_ = message;
        return false;
    }
    std::nullopt_t missing(const char* message) {
        error_ = message;
        return std::nullopt;
    }

    // False only for a comment that never ends.
    bool skipSpaceAndComments() {
        while (!atEnd()) {
            if (isSpace(peek())) {
                take();
            } else if (peek() == u'/' && peek(1) == u'/') {
                while (!atEnd() && peek() != u'\n')
                    take();
            } else if (peek() == u'/' && peek(1) == u'*') {
                take();
                take();
                while (!atEnd() && !(peek() == u'*' && peek(1) == u'/'))
                    take();
                if (atEnd())
                    return fail("unterminated comment");
                take();
                take();
            } else {
                break;
            }
        }
        return true;
    }

    std::optional<std::pair<Text, Text>> parseEntry() {
        auto key = parseString();
        if (!key || !skipSpaceAndComments())
            return std::nullopt;
        // `"key";` alone stands for a value equal to its key.
        if (peek() == u';') {
            take();
            return std::pair{*key, *key};
        }
        if (peek() != u'=')
            return missing("expected '=' after a key");
        take();
        if (!skipSpaceAndComments())
            return std::nullopt;
        auto value = parseString();
        if (!value || !skipSpaceAndComments())
            return std::nullopt;
        if (peek() != u';')
            return missing("expected ';' after a value");
        take();
        return std::pair{std::move(*key), std::move(*value)};
    }

    std::optional<Text> parseString() {
        if (peek() != u'"') {
            Text word;
            while (!atEnd() && isBareWordChar(peek()))
                word.append(take());
            if (word.isEmpty())
                return missing("expected a quoted string");
            return word;
        }
        take();
        Text result;
        while (!atEnd()) {
            const char16_t c = take();
            if (c == u'"')
                return result;
            if (c != u'\\') {
                result.append(c);
                continue;
            }
            if (atEnd())
                break;
            if (!appendEscape(result))
                return std::nullopt;
        }
        return missing("unterminated string");
    }

    bool appendEscape(Text& result) {
        const char16_t c = take();
        switch (c) {
        case u'n':
            result.append(u'\n');
            return true;
        case u't':
            result.append(u'\t');
            return true;
        case u'r':
            result.append(u'\r');
            return true;
        case u'U':
        case u'u': {
            // Four hex digits, one UTF-16 unit; a surrogate pair is written as two escapes.
            char16_t unit = 0;
            for (int digit = 0; digit < 4; ++digit) {
                const int value = atEnd() ? -1 : u_digit(peek(), 16);
                if (value < 0)
                    return fail("bad \\U escape");
                unit = static_cast<char16_t>(unit * 16 + value);
                ++pos_;
            }
            result.append(unit);
            return true;
        }
        default:
            // \" \\ \' and any other character stand for themselves.
            result.append(c);
            return true;
        }
    }

    Text text_;
    int32_t pos_ = 0;
    int line_ = 1;
    std::string error_;
};

} // namespace

std::optional<std::string> StringsEntries::value(std::string_view key) const {
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->first == key)
            return entry->second;
    return std::nullopt;
}

StringsEntries parseStrings(std::string_view bytes) {
    return Parser(decodeText(bytes)).parse();
}

} // namespace orbitdeck
