#include "window/localization.h"

#include "platform/standard_defaults.h"
#include "window/library_settings.h"
#include "window/localization_matching.h"

namespace orbitdeck {
namespace {

struct LanguageNames {
    LibraryLanguage language;
    const char* localeIdentifier;
    const char* nativeName;
};

constexpr LanguageNames languageNames[] = {
    {LibraryLanguage::english, "en", "English"},
    {LibraryLanguage::simplifiedChinese, "zh-Hans", "简体中文"},
    {LibraryLanguage::traditionalChinese, "zh-Hant", "繁體中文"},
    {LibraryLanguage::japanese, "ja", "日本語"},
    {LibraryLanguage::korean, "ko", "한국어"},
    {LibraryLanguage::german, "de", "Deutsch"},
    {LibraryLanguage::french, "fr", "Français"},
    {LibraryLanguage::spanish, "es", "Español"},
    {LibraryLanguage::italian, "it", "Italiano"},
    {LibraryLanguage::portuguese, "pt-BR", "Português (Brasil)"},
    {LibraryLanguage::russian, "ru", "Русский"},
};

const LanguageNames* namesOf(LibraryLanguage language) {
    for (const auto& names : languageNames)
        if (names.language == language)
            return &names;
    return nullptr;
}

} // namespace

const Localizer& Localizer::system() {
    static const Localizer localizer(StringTables::shared(),
                                     toQStringList(preferredLanguagesFromEnvironment()));
    return localizer;
}

QString Localizer::lprojName(LibraryLanguage language) const {
    const QStringList preferences = language == LibraryLanguage::system
                                        ? systemPreferences_
                                        : QStringList{*localeIdentifier(language)};
    return preferredLocalization(tables_.localizations(), preferences)
        .value_or(QStringLiteral("en"));
}

QString Localizer::localized(const QString& key, LibraryLanguage language) const {
    return tables_.lookup(lprojName(language), key).value_or(key);
}

QString Localizer::localizedFormat(const QString& key, LibraryLanguage language,
                                   const std::vector<FormatArgument>& arguments) const {
    return formatText(localized(key, language), arguments, key);
}

QString localized(const QString& key, LibraryLanguage language) {
    return Localizer::system().localized(key, language);
}

QString localizedFormat(const QString& key, LibraryLanguage language,
                        const std::vector<FormatArgument>& arguments) {
    return Localizer::system().localizedFormat(key, language, arguments);
}

LibraryLanguage currentLanguage(const DefaultsStore& defaults) {
    return readSetting(defaults, settings::language);
}

LibraryLanguage currentLanguage() {
    return currentLanguage(standardDefaults());
}

std::optional<QString> localeIdentifier(LibraryLanguage language) {
    if (const auto* names = namesOf(language))
        return QString::fromUtf8(names->localeIdentifier);
    return std::nullopt;
}

QString displayName(LibraryLanguage language, const Localizer& localizer) {
    if (const auto* names = namesOf(language))
        return QString::fromUtf8(names->nativeName);
    return localizer.localized(titleKey(language), LibraryLanguage::system);
}

} // namespace orbitdeck
