#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <variant>

namespace orbitdeck {

// One stored preference: the five kinds of value the defaults model knows. Keeping the kind
// means an integer stored under a Boolean key stays distinguishable from an absent key.
using DefaultsValue = std::variant<bool, qint64, double, QString, QByteArray>;
using DefaultsDictionary = std::map<QString, DefaultsValue>;

} // namespace orbitdeck
