#include "window/organizer.h"

#include <array>
#include <utility>

namespace orbitdeck {

namespace {

constexpr std::array organizationNames = {
    std::pair{"systemUtilities", LibraryOrganization::systemUtilities},
    std::pair{"sortByName", LibraryOrganization::sortByName},
    std::pair{"foldersFirst", LibraryOrganization::foldersFirst},
    std::pair{"foldersLast", LibraryOrganization::foldersLast},
    std::pair{"ungroup", LibraryOrganization::ungroup},
    std::pair{"exportLayout", LibraryOrganization::exportLayout},
    std::pair{"importLayout", LibraryOrganization::importLayout},
    std::pair{"welcome", LibraryOrganization::welcome},
};

} // namespace

QString organizationName(LibraryOrganization organization) {
    for (const auto& [caseName, value] : organizationNames)
        if (value == organization)
            return QString::fromLatin1(caseName);
    return {};
}

std::optional<LibraryOrganization> organizationNamed(const QString& name) {
    for (const auto& [caseName, value] : organizationNames)
        if (name == QLatin1String(caseName))
            return value;
    return std::nullopt;
}

} // namespace orbitdeck
