#include "localization_check.h"

#include "window/library_settings_enums.h"
#include "window/localization.h"
#include "window/localization_format.h"
#include "window/localization_strings_file.h"
#include "window/localization_tables.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

using namespace orbitdeck;

namespace {

QString unescapeLiteral(const QString& literal) {
    QString text;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] != u'\\' || i + 1 == literal.size()) {
            text.append(literal[i]);
            continue;
        }
        const QChar next = literal[++i];
        if (next == u'n')
            text.append(u'\n');
        else if (next == u't')
            text.append(u'\t');
        else if (next == u'u' && i + 4 < literal.size()) {
            text.append(QChar(literal.mid(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
        } else
            text.append(next);
    }
    return text;
}

// A C++ key may be split over adjacent literals, which the compiler joins.
QString joinedLiterals(const QString& literals) {
    static const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    QString joined;
    for (const auto& match : piece.globalMatch(literals))
        joined += match.captured(1);
    return joined;
}

void collectFrom(const QString& path, const QRegularExpression& pattern, bool cpp,
                 std::map<QString, QString>& keys) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    for (const auto& match : pattern.globalMatch(text)) {
        const QString literal = cpp                          ? joinedLiterals(match.captured(1))
                                : match.captured(1).isNull() ? match.captured(2)
                                                             : match.captured(1);
        const qsizetype line = QStringView(text).left(match.capturedStart()).count(u'\n') + 1;
        keys.try_emplace(unescapeLiteral(literal), path + u':' + QString::number(line));
    }
}

} // namespace

std::map<QString, QString> collectSourceKeys(const QStringList& folders) {
    static const QRegularExpression cppPattern(QStringLiteral(
        R"re(\b(?:localized|localizedFormat|textKey)\(\s*(?:u8?|QStringLiteral\(\s*)?((?:"(?:[^"\\\n]|\\.)*"\s*)+))re"));
    static const QRegularExpression qmlPattern(QStringLiteral(
        R"re(\bL\.(?:t|format)\(\s*(?:"((?:[^"\\\n]|\\.)*)"|'((?:[^'\\\n]|\\.)*)'))re"));
    std::map<QString, QString> keys;
    for (const QString& folder : folders) {
        QDirIterator files(folder, {"*.cpp", "*.h", "*.qml"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const bool qml = path.endsWith(".qml");
            collectFrom(path, qml ? qmlPattern : cppPattern, !qml, keys);
        }
    }
    return keys;
}

QStringList requiredLocalizations() {
    QStringList names;
    for (const auto& entry : allCases<LibraryLanguage>())
        if (const auto identifier = localeIdentifier(entry.value))
            names.append(*identifier);
    return names;
}

QStringList checkStringTables(const QString& resourcesDir, const QStringList& localizations,
                              const std::map<QString, QString>& sourceKeys) {
    QStringList problems;
    for (const QString& lproj : localizations) {
        const QString path = StringTables::tablePath(resourcesDir, lproj);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            problems.append(lproj + ": no table at " + path);
            continue;
        }
        const StringsFile table = parseStringsFile(file.readAll());
        if (table.error)
            problems.append(QStringLiteral("%1: syntax error on line %2: %3")
                                .arg(lproj)
                                .arg(table.error->line)
                                .arg(table.error->message));
        for (const QString& key : table.duplicateKeys)
            problems.append(lproj + ": key repeated: " + key);
        QSet<QString> present;
        for (const auto& [key, value] : table.entries) {
            present.insert(key);
            if (value.trimmed().isEmpty())
                problems.append(lproj + ": empty value for " + key);
            else if (placeholderSignature(key) != placeholderSignature(value))
                problems.append(lproj + ": placeholders differ from the key: " + key + " = " +
                                value);
        }
        for (const auto& [key, location] : sourceKeys)
            if (!present.contains(key))
                problems.append(lproj + ": missing key used at " + location + ": " + key);
    }
    return problems;
}
