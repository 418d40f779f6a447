#include "platform/launcher_dock.h"

#include <QString>
#include <QUrl>

namespace orbitdeck {

std::optional<std::filesystem::path> launcherFile(const std::string& url) {
    if (url.starts_with('/'))
        return std::filesystem::path(url);
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme() != u"file" || parsed.path().isEmpty())
        return std::nullopt;
    // "file://localhost/x" is the same file as "file:///x"; any other host is another machine.
    if (!parsed.host().isEmpty() && parsed.host().compare(u"localhost", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return std::filesystem::path(parsed.path().toStdString());
}

} // namespace orbitdeck
