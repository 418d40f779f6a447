#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The stored enumerations, seen from QML as Setting.<Enum>.<case>: a case name is its stored
// raw value (except LibrarySkin::automatic, stored as "auto").
namespace setting {
Q_NAMESPACE
QML_NAMED_ELEMENT(Setting)

// `auto` is stored as "auto"; the C++ name differs only because auto is a keyword.
enum class LibrarySkin { night, dusk, paper, automatic };
Q_ENUM_NS(LibrarySkin)
enum class LibraryEffects { fluid, reduced, off };
Q_ENUM_NS(LibraryEffects)
enum class LibraryDensity { compact, comfortable, large };
Q_ENUM_NS(LibraryDensity)
enum class LibraryHotKey { off, optionSpace, commandOptionSpace, controlOptionSpace };
Q_ENUM_NS(LibraryHotKey)
enum class LibraryStartup { fullscreen, window };
Q_ENUM_NS(LibraryStartup)
enum class LibraryBrowsing { pages, scroll };
Q_ENUM_NS(LibraryBrowsing)
// The library's own LibrarySort (library/library_sort.h) as QML sees it, case for case.
enum class SortOrder { manual, name, nameReverse, added, recent, frequency };
Q_ENUM_NS(SortOrder)
enum class LibraryLanguage {
    system,
    english,
    simplifiedChinese,
    traditionalChinese,
    japanese,
    korean,
    german,
    french,
    spanish,
    italian,
    portuguese,
    russian
};
Q_ENUM_NS(LibraryLanguage)
enum class HotCorner { off, topLeft, topRight, bottomLeft, bottomRight };
Q_ENUM_NS(HotCorner)
// The tab the settings sheet opens on.
enum class LibraryAppearanceTab { general, shortcuts, grid, appearance, organize };
Q_ENUM_NS(LibraryAppearanceTab)
// The app's own icon; midnight is the standard one.
enum class AppIconStyle { midnight, light, mint, sunset, graphite, classic };
Q_ENUM_NS(AppIconStyle)
} // namespace setting

using setting::AppIconStyle;
using setting::HotCorner;
using setting::LibraryAppearanceTab;
using setting::LibraryBrowsing;
using setting::LibraryDensity;
using setting::LibraryEffects;
using setting::LibraryHotKey;
using setting::LibraryLanguage;
using setting::LibrarySkin;
using setting::LibraryStartup;

} // namespace orbitdeck
