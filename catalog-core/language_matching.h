#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// The user's preferred languages as BCP 47 tags, most preferred first: the entries of
// $LANGUAGE, then the first of $LC_ALL, $LC_MESSAGES, $LANG ("fr_CA.UTF-8" reads "fr-CA").
// Under the C or POSIX locale there are none, as gettext ignores $LANGUAGE there.
std::vector<std::string> preferredLanguagesFromEnvironment();
std::string languageTagFromPosixLocale(std::string_view locale);

// The localisation to use for the first preference that any of the available ones can serve:
// same tag, else same language and script (Chinese regions imply their script: TW, HK and MO
// traditional, the rest simplified), else same language. None when no preference matches.
std::optional<std::string> preferredLocalization(const std::vector<std::string>& available,
                                                 const std::vector<std::string>& preferences);

} // namespace orbitdeck
