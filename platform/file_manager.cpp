#include "platform/file_manager.h"

#include "platform/main_thread.h"
#include "platform/platform_log.h"
#include "platform/session_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QUrl>

// GLib names a structure field "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace orbitdeck {

namespace {} // namespace

bool openFolderWithDefaultApplication(const std::filesystem::path& folder) {
    GAppInfo* handler = g_app_info_get_default_for_type("inode/directory", FALSE);
    if (handler == nullptr) {
        qCWarning(platformLog) << "no application opens folders";
        return false;
    }
    const QByteArray uri = QUrl::fromLocalFile(QString::fromStdString(folder.string())).toEncoded();
    GList uris{.data = const_cast<char*>(uri.constData()), .next = nullptr, .prev = nullptr};
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch_uris(handler, &uris, nullptr, &error);
    if (error != nullptr) {
        qCWarning(platformLog) << "cannot open" << folder.c_str() << ":" << error->message;
        g_error_free(error);
    }
    g_object_unref(handler);
    return launched != FALSE;
}

void showInFileManager(const std::filesystem::path& item, std::function<void(bool shown)> done,
                       const QString& connection) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto openFolder = [folder = item.parent_path(), done] {
        done(openFolderWithDefaultApplication(folder));
    };
    if (connection.isEmpty() && !sessionBusAdvertised())
        return openFolder();
    QDBusConnection bus =
        connection.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(connection);
    if (!bus.isConnected())
        return openFolder();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // A URI, so its spaces and other characters go percent-encoded.
    call << QStringList{QUrl::fromLocalFile(QString::fromStdString(item.string()))
                            .toString(QUrl::FullyEncoded)}
         << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [openFolder, done](QDBusPendingCallWatcher* answered) {
                         answered->deleteLater();
                         if (!answered->isError())
                             return done(true);
                         // No file manager on the bus (or it failed): the folder opens.
                         qCWarning(platformLog).noquote()
                             << "no file manager showed the item:" << answered->error().message();
                         openFolder();
                     });
}

} // namespace orbitdeck
