#pragma once

#include "platform/defaults_value.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace orbitdeck {

// A decoded domain file. Entries of kinds the defaults model does not handle (arrays,
// dictionaries, dates) are carried along untouched so rewriting the file never drops them.
struct DefaultsDocument {
    DefaultsDictionary values;
    std::shared_ptr<void> otherEntries; // a libplist dictionary, or null
};

// XML or binary property list whose root is a dictionary; none when it is anything else.
std::optional<DefaultsDocument> decodeDefaultsPlist(const QByteArray& bytes);
// Always an XML property list, readable by hand.
QByteArray encodeDefaultsPlist(const DefaultsDocument& document);

} // namespace orbitdeck

namespace orbitdeck {

// A key that is set or removed replaces whatever untyped entry the file held under it.
// Answers whether there was one.
bool dropOtherEntry(DefaultsDocument& document, const QString& key);
// Whether the file held an untyped entry under the key.
bool hasOtherEntry(const DefaultsDocument& document, const QString& key);

} // namespace orbitdeck
