#include "settings/sheet_settings.h"

#include "platform/main_thread.h"
#include "window/library_settings.h"

#include <map>

namespace orbitdeck {

namespace {

// A value that is no case (an int from QML) changes nothing.
template <typename E>
void writeCase(DefaultsStore& store, const SettingKey<E>& setting, E value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (isCase(value))
        writeSetting(store, setting, value);
}

void writeFlag(DefaultsStore& store, const SettingKey<bool>& setting, bool value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    writeSetting(store, setting, value);
}

using Signal = void (SheetSettings::*)();
const std::map<QString, Signal>& keySignals() {
    using S = SheetSettings;
    static const std::map<QString, Signal> table = {
        {settings::menuBarIcon.key(), &S::menuBarIconChanged},
        {settings::hotCorner.key(), &S::hotCornerChanged},
        {settings::pinchToOpen.key(), &S::pinchToOpenChanged},
        {settings::f4Key.key(), &S::f4KeyChanged},
        {settings::settingsTab.key(), &S::tabChanged},
        {settings::appIcon.key(), &S::appIconChanged},
    };
    return table;
}

} // namespace

SheetSettings::SheetSettings(DefaultsStore& store, QObject* parent)
    : QObject(parent)
    , store_(store) {
    connect(&store_, &DefaultsStore::valueChanged, this, [this](const QString& key) {
        const auto found = keySignals().find(key);
        if (found != keySignals().end())
            emit(this->*found->second)();
    });
}

bool SheetSettings::menuBarIcon() const {
    return readSetting(store_, settings::menuBarIcon);
}

void SheetSettings::setMenuBarIcon(bool value) {
    writeFlag(store_, settings::menuBarIcon, value);
}

HotCorner SheetSettings::hotCorner() const {
    return readSetting(store_, settings::hotCorner);
}

void SheetSettings::setHotCorner(HotCorner value) {
    writeCase(store_, settings::hotCorner, value);
}

bool SheetSettings::pinchToOpen() const {
    return readSetting(store_, settings::pinchToOpen);
}

void SheetSettings::setPinchToOpen(bool value) {
    writeFlag(store_, settings::pinchToOpen, value);
}

bool SheetSettings::f4Key() const {
    return readSetting(store_, settings::f4Key);
}

void SheetSettings::setF4Key(bool value) {
    writeFlag(store_, settings::f4Key, value);
}

LibraryAppearanceTab SheetSettings::tab() const {
    return readSetting(store_, settings::settingsTab);
}

void SheetSettings::setTab(LibraryAppearanceTab value) {
    writeCase(store_, settings::settingsTab, value);
}

AppIconStyle SheetSettings::appIcon() const {
    return readSetting(store_, settings::appIcon);
}

void SheetSettings::setAppIcon(AppIconStyle value) {
    writeCase(store_, settings::appIcon, value);
}

} // namespace orbitdeck
