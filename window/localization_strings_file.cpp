#include "window/localization_strings_file.h"

#include <QSet>
#include <QStringDecoder>

namespace orbitdeck {
namespace {

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        QStringDecoder decoder(bytes.startsWith("\xff\xfe") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        return decoder(bytes.mid(2));
    }
    return QString::fromUtf8(bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes);
}

bool isBareWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'-' || c == u'$' || c == u':' ||
           c == u'/';
}

class Parser {
public:
    explicit Parser(QString text)
        : text_(std::move(text)) {}

    StringsFile parse() {
        StringsFile file;
        QSet<QString> seen;
        while (skipSpaceAndComments() && !atEnd()) {
            auto entry = parseEntry();
            if (!entry) {
                file.error = StringsFile::Error{line_, error_};
                break;
            }
            if (seen.contains(entry->first))
                file.duplicateKeys.append(entry->first);
            seen.insert(entry->first);
            file.entries.push_back(std::move(*entry));
        }
        if (!file.error && !error_.isEmpty())
            file.error = StringsFile::Error{line_, error_};
        return file;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek(qsizetype ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : QChar();
    }
    QChar take() {
        const QChar c = text_[pos_++];
        if (c == u'\n')
            ++line_;
        return c;
    }
    bool fail(const QString& message) {
        error_ = message;
        return false;
    }
    std::nullopt_t missing(const QString& message) {
        error_ = message;
        return std::nullopt;
    }

    // False only for a comment that never ends.
    bool skipSpaceAndComments() {
        while (!atEnd()) {
            if (peek().isSpace()) {
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
                    return fail(QStringLiteral("unterminated comment"));
                take();
                take();
            } else {
                break;
            }
        }
        return true;
    }

    std::optional<std::pair<QString, QString>> parseEntry() {
        auto key = parseString();
        if (!key || !skipSpaceAndComments())
            return std::nullopt;
        // `"key";` alone stands for a value equal to its key.
        if (peek() == u';') {
            take();
            return std::pair{*key, *key};
        }
        if (peek() != u'=')
            return missing(QStringLiteral("expected '=' after a key"));
        take();
        if (!skipSpaceAndComments())
            return std::nullopt;
        auto value = parseString();
        if (!value || !skipSpaceAndComments())
            return std::nullopt;
        if (peek() != u';')
            return missing(QStringLiteral("expected ';' after a value"));
        take();
        return std::pair{std::move(*key), std::move(*value)};
    }

    std::optional<QString> parseString() {
        if (peek() != u'"') {
            QString word;
            while (!atEnd() && isBareWordChar(peek()))
                word.append(take());
            if (word.isEmpty())
                return missing(QStringLiteral("expected a quoted string"));
            return word;
        }
        take();
        QString result;
        while (!atEnd()) {
            const QChar c = take();
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
        return missing(QStringLiteral("unterminated string"));
    }

    bool appendEscape(QString& result) {
        const QChar c = take();
        switch (c.unicode()) {
        case 'n':
            result.append(u'\n');
            return true;
        case 't':
            result.append(u'\t');
            return true;
        case 'r':
            result.append(u'\r');
            return true;
        case 'U':
        case 'u': {
            // Four hex digits, one UTF-16 unit; a surrogate pair is written as two escapes.
            bool ok = false;
            const ushort unit = text_.mid(pos_, 4).toUShort(&ok, 16);
            if (!ok || text_.mid(pos_, 4).size() != 4)
                return fail(QStringLiteral("bad \\U escape"));
            pos_ += 4;
            result.append(QChar(unit));
            return true;
        }
        default:
            // \" \\ \' and any other character stand for themselves.
            result.append(c);
            return true;
        }
    }

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    QString error_;
};

} // namespace

StringsFile parseStringsFile(const QByteArray& bytes) {
    return Parser(decodeText(bytes)).parse();
}

} // namespace orbitdeck
