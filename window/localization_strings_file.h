#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace orbitdeck {

// One parsed string table, in Qt's types (the parser is catalog-core/strings_file.h, which the
// bundles' own InfoPlist.strings share). A missing entry falls back to the English key.
struct StringsFile {
    struct Error {
        int line = 0;
        QString message;
    };

    std::vector<std::pair<QString, QString>> entries; // in file order; a repeated key twice
    QStringList duplicateKeys;
    std::optional<Error> error;
};

StringsFile parseStringsFile(const QByteArray& bytes);

} // namespace orbitdeck
