#include "platform/dock_preferences.h"

#include "platform/defaults_store.h"
#include "platform/durable_file.h"

#include <algorithm>
#include <optional>

namespace orbitdeck {
namespace {

constexpr const char* appsKey = "persistent-apps";
constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

// The whole domain: an empty dictionary when there is no file, none when it cannot be read.
std::optional<PlistNode> readDomain(const QString& path) {
    const FileReadResult read = readFileCapped(path, maxFileBytes);
    if (std::holds_alternative<FileMissing>(read))
        return PlistNode::dictionary();
    const auto* bytes = std::get_if<QByteArray>(&read);
    if (!bytes)
        return std::nullopt;
    std::optional<PlistNode> root = PlistNode::parse(*bytes);
    if (!root || !root->isDictionary())
        return std::nullopt;
    return root;
}

} // namespace

QString DockPreferencesFile::standardPath() {
    return DefaultsStore::domainFilePath(QStringLiteral("com.apple.dock"));
}

DockPreferencesFile::DockPreferencesFile(QString path)
    : path_(std::move(path)) {}

DockAppsRead DockPreferencesFile::persistentApps() {
    const std::optional<PlistNode> root = readDomain(path_);
    if (!root)
        return {.state = DockAppsRead::State::unreadable, .tiles = {}};
    const PlistNode apps = root->child(appsKey);
    if (apps.isNull())
        return {.state = DockAppsRead::State::absent, .tiles = {}};
    std::optional<std::vector<PlistNode>> tiles = apps.items();
    if (!tiles || !std::ranges::all_of(*tiles, &PlistNode::isDictionary))
        return {.state = DockAppsRead::State::malformed, .tiles = {}};
    return {.state = DockAppsRead::State::list, .tiles = std::move(*tiles)};
}

bool DockPreferencesFile::setPersistentApps(const std::vector<PlistNode>& tiles) {
    std::optional<PlistNode> root = readDomain(path_);
    if (!root)
        return false;
    root->set(appsKey, PlistNode::array(tiles));
    return writeFileDurably(path_, root->toXml());
}

} // namespace orbitdeck
