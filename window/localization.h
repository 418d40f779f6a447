#pragma once

#include "window/library_settings_enums.h"
#include "window/localization_format.h"
#include "window/localization_tables.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orbitdeck {

class DefaultsStore;

// Turns a language setting into a string table and looks texts up in it. Keys are the English
// texts, so a key found nowhere is its own translation.
class Localizer {
public:
    Localizer(const StringTables& tables, QStringList systemPreferences)
        : tables_(tables)
        , systemPreferences_(std::move(systemPreferences)) {}

    // The shared tables and the preferred languages of the environment.
    static const Localizer& system();

    // The localisation a language means; never empty ("en" as the last resort).
    QString lprojName(LibraryLanguage language) const;
    QString localized(const QString& key, LibraryLanguage language) const;
    // The translated format filled with arguments; see formatText for the fallbacks.
    QString localizedFormat(const QString& key, LibraryLanguage language,
                            const std::vector<FormatArgument>& arguments) const;

private:
    const StringTables& tables_;
    QStringList systemPreferences_;
};

// The forms code uses to build texts; the table check finds keys by these two names.
QString localized(const QString& key, LibraryLanguage language);
QString localizedFormat(const QString& key, LibraryLanguage language,
                        const std::vector<FormatArgument>& arguments);

// The interface language stored in the given defaults; missing or unknown reads as system.
LibraryLanguage currentLanguage(const DefaultsStore& defaults);
// The same from the app's own domain, for code outside views (menus, toasts, alerts).
LibraryLanguage currentLanguage();

// "en", "zh-Hans", …; none for system.
std::optional<QString> localeIdentifier(LibraryLanguage language);
// Native names; "Follow macOS" is looked up for the system's own languages, not the chosen one.
QString displayName(LibraryLanguage language, const Localizer& localizer = Localizer::system());

} // namespace orbitdeck
