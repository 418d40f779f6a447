#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <string_view>

namespace orbitdeck {

// Marks a literal as a key of the string tables. The table check finds keys by this name (and
// by localized(...)), so every text that reaches the user through a table goes through here.
constexpr std::string_view textKey(std::string_view key) {
    return key;
}

// One case of a stored enumeration: the value, the string it is stored as, and the table key
// of its title (empty when the case has no title of its own).
template <typename E>
struct EnumCase {
    E value;
    std::string_view rawValue;
    std::string_view titleKey;
};

// Specialised for every stored enumeration with `static constexpr std::array cases`, listed in
// declaration order: the order is the case index the settings speak of.
template <typename E>
struct SettingEnumTraits;

template <typename E>
constexpr const auto& allCases() {
    return SettingEnumTraits<E>::cases;
}

template <typename E>
constexpr const EnumCase<E>& enumCase(E value) {
    for (const auto& entry : allCases<E>())
        if (entry.value == value)
            return entry;
    return allCases<E>().front(); // unreachable for a valid value
}

// Whether a value is one of the cases (an int handed over from QML may be none).
template <typename E>
constexpr bool isCase(E value) {
    for (const auto& entry : allCases<E>())
        if (entry.value == value)
            return true;
    return false;
}

template <typename E>
constexpr int caseIndex(E value) {
    return static_cast<int>(&enumCase(value) - allCases<E>().data());
}

template <typename E>
QString rawValue(E value) {
    const std::string_view raw = enumCase(value).rawValue;
    return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
}

template <typename E>
QString titleKey(E value) {
    const std::string_view key = enumCase(value).titleKey;
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// Exact, case-sensitive: "Night" is not "night".
template <typename E>
std::optional<E> enumFromRawValue(QStringView raw) {
    for (const auto& entry : allCases<E>())
        if (raw ==
            QLatin1StringView(entry.rawValue.data(), static_cast<qsizetype>(entry.rawValue.size())))
            return entry.value;
    return std::nullopt;
}

} // namespace orbitdeck
