#include "window/window_log.h"

#include "catalog-core/failure_log.h"

#include <cstring>

namespace orbitdeck {

Q_LOGGING_CATEGORY(windowLog, "orbitdeck.window", QtInfoMsg)

namespace {

Q_LOGGING_CATEGORY(catalogCategory, catalogLog, QtInfoMsg)
Q_LOGGING_CATEGORY(libraryCategory, libraryLog, QtInfoMsg)

void toCategory(const char* category, std::string_view message) {
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    if (std::strcmp(category, libraryLog) == 0)
        qCWarning(libraryCategory).noquote() << text;
    else
        qCWarning(catalogCategory).noquote() << text;
}

} // namespace

void routeCoreFailuresToLog() {
    setFailureSink(&toCategory);
}

} // namespace orbitdeck
