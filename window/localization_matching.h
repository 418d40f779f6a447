#pragma once

#include "catalog-core/language_matching.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// preferredLocalization in Qt's types, for the interface's string tables.
std::optional<QString> preferredLocalization(const QStringList& available,
                                             const QStringList& preferences);

QStringList toQStringList(const std::vector<std::string>& texts);

} // namespace orbitdeck
