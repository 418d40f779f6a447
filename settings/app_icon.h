#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "window/library_settings_enums.h"
#endif
#include "window/window_settings.h"

namespace orbitdeck {

class DefaultsStore;

// The image of a style: the resource "AltIcon-" + case name, under ":/icons".
QString appIconResourcePath(AppIconStyle style);
// The style's image; none when its resource is missing.
std::optional<QIcon> appIconImage(AppIconStyle style);
// "ambergrid.appIcon"; midnight when absent or unrecognised.
AppIconStyle storedAppIconStyle(const DefaultsStore& store);

// Where a chosen icon shows. On this platform the application icon is the icon of every window
// (and of the status item, which reads it from the application); there is no bundle icon to
// rewrite, since the desktop entry belongs to the installation.
struct AppIconTarget {
    std::function<std::optional<QIcon>(AppIconStyle)> image;
    std::function<void(const QIcon&)> setApplicationIcon;
};

// The running application's icon, from the resources.
AppIconTarget applicationIconTarget();

// Stores the style, then shows its image as the application icon. A missing image leaves the
// icon as it is; the choice is stored all the same. Choosing the current style applies it again.
void applyAppIcon(AppIconStyle style, DefaultsStore& store, const AppIconTarget& target);

// The app-icon picker's state: the stored choice and one entry per style. It reads and writes
// the store of the window settings it is given.
class AppIconChoice : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(orbitdeck::WindowSettings* settings READ settings WRITE setSettings NOTIFY
                   settingsChanged FINAL)
    Q_PROPERTY(
        orbitdeck::setting::AppIconStyle selection READ selection NOTIFY selectionChanged FINAL)
    // {value, name, title, image}: name the case name that identifies the cell, title a
    // string-table key, image a URL or "" without an image.
    Q_PROPERTY(QVariantList choices READ choices CONSTANT FINAL)

public:
    // Shows the chosen icon on the running application.
    explicit AppIconChoice(QObject* parent = nullptr);
    AppIconChoice(WindowSettings& settings, AppIconTarget target, QObject* parent = nullptr);

    WindowSettings* settings() const { return settings_; }
    void setSettings(WindowSettings* settings);
    AppIconStyle selection() const;
    QVariantList choices() const;

    // Applies the style, also when it is the current one; a value that is no style does nothing.
    Q_INVOKABLE void choose(orbitdeck::setting::AppIconStyle style);

signals:
    void settingsChanged();
    void selectionChanged();

private:
    WindowSettings* settings_ = nullptr;
    AppIconTarget target_;
};

} // namespace orbitdeck
