#include "platform/plasma_task_managers.h"

#include "platform/platform_log.h"
#include "platform/session_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace orbitdeck {

namespace {

const QString service = QStringLiteral("org.kde.plasmashell");
// The shell answers from its own event loop; a busy one must not hold the menu for long.
constexpr int replyTimeoutMs = 2000;

// The task managers of every panel and their launchers, whichever way the shell hands the
// list over (a list, or the text of the configuration file).
const char* const prelude = R"JS(
function launchersOf(w) {
    w.currentConfigGroup = ["General"];
    var value = w.readConfig("launchers", []);
    if (typeof value === "string")
        return value.length ? value.split(",") : [];
    var list = [];
    for (var i = 0; value && i < value.length; ++i)
        list.push(String(value[i]));
    return list;
}
function forEachTaskManager(f) {
    var all = panels();
    for (var p = 0; p < all.length; ++p) {
        var widgets = all[p].widgets();
        for (var i = 0; i < widgets.length; ++i) {
            var type = widgets[i].type;
            if (type === "org.kde.plasma.taskmanager" || type === "org.kde.plasma.icontasks")
                f(widgets[i]);
        }
    }
}
)JS";

const char* const readScript = R"JS(
var found = [];
forEachTaskManager(function (w) { found.push({id: w.id, launchers: launchersOf(w)}); });
print(JSON.stringify(found));
)JS";

// EDITS is replaced by the list of {id, before, after}; a list that changed since it was read
// is left alone.
const char* const writeScript = R"JS(
var edits = EDITS;
var written = 0;
forEachTaskManager(function (w) {
    for (var i = 0; i < edits.length; ++i) {
        if (edits[i].id !== w.id || JSON.stringify(launchersOf(w)) !== JSON.stringify(edits[i].before))
            continue;
        w.writeConfig("launchers", edits[i].after);
        if (typeof w.reloadConfig === "function")
            w.reloadConfig();
        ++written;
    }
});
print(written);
)JS";

QJsonArray jsonList(const std::vector<std::string>& items) {
    QJsonArray list;
    for (const std::string& item : items)
        list.append(QString::fromStdString(item));
    return list;
}

} // namespace

PlasmaTaskManagers::PlasmaTaskManagers(QString connection)
    : connection_(std::move(connection)) {}

LauncherDock::Launcher PlasmaTaskManagers::parse(const std::string& text) {
    std::string_view url = text;
    if (url.starts_with('[')) {
        const auto newline = url.find('\n');
        if (newline == std::string_view::npos)
            return {};
        url.remove_prefix(newline + 1);
    }
    constexpr std::string_view applications = "applications:";
    if (url.starts_with(applications) && url.size() > applications.size())
        return {.desktopFileId = std::string(url.substr(applications.size())), .file = {}};
    return {.desktopFileId = {}, .file = launcherFile(std::string(url))};
}

std::optional<QString> PlasmaTaskManagers::evaluate(const QString& script) const {
    if (connection_.isEmpty() && !sessionBusAdvertised())
        return std::nullopt;
    QDBusConnection bus =
        connection_.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(connection_);
    // Only a running shell is asked: the bus must not start one.
    if (!bus.isConnected() || bus.interface() == nullptr ||
        !bus.interface()->isServiceRegistered(service).value())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/PlasmaShell"),
                                                       QStringLiteral("org.kde.PlasmaShell"),
                                                       QStringLiteral("evaluateScript"));
    call << QString::fromLatin1(prelude) + script;
    const QDBusMessage reply = bus.call(call, QDBus::Block, replyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCWarning(platformLog) << "the Plasma shell did not run the launcher script:"
                               << reply.errorName() << reply.errorMessage();
        return std::nullopt;
    }
    return reply.arguments().constFirst().toString();
}

std::optional<std::vector<PlasmaTaskManagers::TaskManager>> PlasmaTaskManagers::read() const {
    const auto output = evaluate(QString::fromLatin1(readScript));
    if (!output)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(output->trimmed().toUtf8());
    if (!document.isArray())
        return std::nullopt;
    std::vector<TaskManager> managers;
    for (const QJsonValue& value : document.array()) {
        TaskManager manager{.id = value[QStringLiteral("id")].toInteger(), .launchers = {}};
        for (const QJsonValue& launcher : value[QStringLiteral("launchers")].toArray())
            manager.launchers.push_back(launcher.toString().toStdString());
        managers.push_back(std::move(manager));
    }
    // No task manager: no dock to keep anything in.
    if (managers.empty())
        return std::nullopt;
    return managers;
}

bool PlasmaTaskManagers::write(const std::vector<TaskManager>& read,
                               const std::vector<TaskManager>& wanted) const {
    QJsonArray edits;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (read[i].launchers == wanted[i].launchers)
            continue;
        edits.append(QJsonObject{{QStringLiteral("id"), read[i].id},
                                 {QStringLiteral("before"), jsonList(read[i].launchers)},
                                 {QStringLiteral("after"), jsonList(wanted[i].launchers)}});
    }
    if (edits.isEmpty())
        return true;
    QString script = QString::fromLatin1(writeScript);
    script.replace(QStringLiteral("EDITS"),
                   QString::fromUtf8(QJsonDocument(edits).toJson(QJsonDocument::Compact)));
    const auto output = evaluate(script);
    return output && output->trimmed().toLongLong() == edits.size();
}

bool PlasmaTaskManagers::edit(const std::function<void(std::vector<std::string>&)>& change) {
    // A list the user changed between the read and the write is read again, once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto managers = read();
        if (!managers)
            return false;
        std::vector<TaskManager> wanted = *managers;
        for (TaskManager& manager : wanted)
            change(manager.launchers);
        if (write(*managers, wanted))
            return true;
    }
    return false;
}

std::optional<std::vector<LauncherDock::Launcher>> PlasmaTaskManagers::launchers() {
    const auto managers = read();
    if (!managers)
        return std::nullopt;
    std::vector<Launcher> launchers;
    for (const TaskManager& manager : *managers)
        for (const std::string& text : manager.launchers)
            launchers.push_back(parse(text));
    return launchers;
}

bool PlasmaTaskManagers::add(const std::filesystem::path&, const std::string& desktopFileId) {
    const std::string launcher = "applications:" + desktopFileId;
    return edit([&](std::vector<std::string>& launchers) {
        if (std::ranges::find(launchers, launcher) == launchers.end())
            launchers.push_back(launcher);
    });
}

bool PlasmaTaskManagers::remove(const Matches& matches) {
    return edit([&](std::vector<std::string>& launchers) {
        std::erase_if(launchers, [&](const std::string& text) { return matches(parse(text)); });
    });
}

} // namespace orbitdeck
