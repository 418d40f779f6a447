#include "window/localization_strings_file.h"

#include "catalog-core/strings_file.h"

namespace orbitdeck {

StringsFile parseStringsFile(const QByteArray& bytes) {
    const StringsEntries parsed =
        parseStrings(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    StringsFile file;
    file.entries.reserve(parsed.entries.size());
    for (const auto& [key, value] : parsed.entries)
        file.entries.emplace_back(QString::fromStdString(key), QString::fromStdString(value));
    for (const auto& key : parsed.duplicateKeys)
        file.duplicateKeys.append(QString::fromStdString(key));
    if (parsed.error)
        file.error =
            StringsFile::Error{parsed.error->line, QString::fromStdString(parsed.error->message)};
    return file;
}

} // namespace orbitdeck
