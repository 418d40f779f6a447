#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// The user's preferred languages as BCP 47 tags, most preferred first: the entries of
// $LANGUAGE, then the first of $LC_ALL, $LC_MESSAGES, $LANG ("fr_CA.UTF-8" reads "fr-CA").
// Under the C or POSIX locale there are none, as gettext ignores $LANGUAGE there.
QStringList preferredLanguagesFromEnvironment();
QString languageTagFromPosixLocale(const QString& locale);

// The localisation to use for the first preference that any of the available ones can serve:
// same tag, else same language and script (Chinese regions imply their script: TW, HK and MO
// traditional, the rest simplified), else same language. None when no preference matches.
std::optional<QString> preferredLocalization(const QStringList& available,
                                             const QStringList& preferences);

} // namespace orbitdeck
