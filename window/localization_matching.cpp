#include "window/localization_matching.h"

#include <QRegularExpression>

namespace orbitdeck {
namespace {

struct LanguageTag {
    QString language; // lower case
    QString script;   // title case, inferred for Chinese
    QString region;   // upper case
    QString normalized() const {
        QStringList parts{language};
        if (!script.isEmpty())
            parts.append(script);
        if (!region.isEmpty())
            parts.append(region);
        return parts.join(u'-');
    }
};

LanguageTag parseTag(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[-_]"));
    const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
    LanguageTag tag;
    if (parts.isEmpty())
        return tag;
    tag.language = parts.front().toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.size() == 4 && tag.script.isEmpty() && tag.region.isEmpty())
            tag.script = part.left(1).toUpper() + part.mid(1).toLower();
        else if ((part.size() == 2 || part.size() == 3) && tag.region.isEmpty())
            tag.region = part.toUpper();
    }
    return tag;
}

QString impliedScript(const LanguageTag& tag) {
    if (!tag.script.isEmpty() || tag.language != u"zh")
        return tag.script;
    static const QStringList traditionalRegions{QStringLiteral("TW"), QStringLiteral("HK"),
                                                QStringLiteral("MO")};
    return traditionalRegions.contains(tag.region) ? QStringLiteral("Hant")
                                                   : QStringLiteral("Hans");
}

std::optional<QString> matchOne(const QStringList& available, const QString& preference) {
    const LanguageTag wanted = parseTag(preference);
    if (wanted.language.isEmpty())
        return std::nullopt;
    for (const QString& candidate : available)
        if (parseTag(candidate).normalized() == wanted.normalized())
            return candidate;
    const QString wantedScript = impliedScript(wanted);
    if (!wantedScript.isEmpty())
        for (const QString& candidate : available) {
            const LanguageTag tag = parseTag(candidate);
            if (tag.language == wanted.language && impliedScript(tag) == wantedScript)
                return candidate;
        }
    for (const QString& candidate : available)
        if (parseTag(candidate).language == wanted.language)
            return candidate;
    return std::nullopt;
}

} // namespace

QString languageTagFromPosixLocale(const QString& locale) {
    // language[_territory][.codeset][@modifier]
    QString name = locale.section(u'.', 0, 0).section(u'@', 0, 0);
    if (name.isEmpty() || name == u"C" || name == u"POSIX")
        return {};
    return name.replace(u'_', u'-');
}

QStringList preferredLanguagesFromEnvironment() {
    QString effective;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        effective = qEnvironmentVariable(name);
        if (!effective.isEmpty())
            break;
    }
    const QString effectiveTag = languageTagFromPosixLocale(effective);
    if (effectiveTag.isEmpty())
        return {};
    QStringList tags;
    for (const QString& entry : qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts))
        if (const QString tag = languageTagFromPosixLocale(entry); !tag.isEmpty())
            tags.append(tag);
    tags.append(effectiveTag);
    tags.removeDuplicates();
    return tags;
}

std::optional<QString> preferredLocalization(const QStringList& available,
                                             const QStringList& preferences) {
    for (const QString& preference : preferences)
        if (auto match = matchOne(available, preference))
            return match;
    return std::nullopt;
}

} // namespace orbitdeck
