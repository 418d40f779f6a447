#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace orbitdeck {

// One parsed string table ("key" = "value"; with /* */ and // comments). Parsing stops at the
// first syntax error; the entries before it are kept so a damaged table still serves what it
// can, and a missing entry falls back to the English key.
struct StringsFile {
    struct Error {
        int line = 0;
        QString message;
    };

    std::vector<std::pair<QString, QString>> entries; // in file order; a repeated key twice
    QStringList duplicateKeys;
    std::optional<Error> error;
};

// UTF-8 (with or without a byte-order mark) or UTF-16 with a byte-order mark.
StringsFile parseStringsFile(const QByteArray& bytes);

} // namespace orbitdeck
