#pragma once

#include <QString>
#include <QStringList>

namespace orbitdeck {

// Fills "%@", "%lld" and "%d" in order, and "%1$@"-style positions, with the given texts; a
// translated format never reaches printf.
QString fillFormat(const QString& format, const QStringList& arguments);

} // namespace orbitdeck
