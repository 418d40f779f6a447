#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include "window/settings_enum_types.h"

namespace orbitdeck {

class DefaultsStore;

// The settings only the sheet writes (the window reads its own through WindowSettings): the
// status-bar item, the launch triggers, the app's icon and the tab the sheet opens on. Each is
// read from and written to the store on every access; a stored value that names no case reads as
// the default.
class SheetSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the settings sheet's model for its window")
    Q_PROPERTY(
        bool menuBarIcon READ menuBarIcon WRITE setMenuBarIcon NOTIFY menuBarIconChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::HotCorner hotCorner READ hotCorner WRITE setHotCorner NOTIFY
                   hotCornerChanged FINAL)
    Q_PROPERTY(
        bool pinchToOpen READ pinchToOpen WRITE setPinchToOpen NOTIFY pinchToOpenChanged FINAL)
    Q_PROPERTY(bool f4Key READ f4Key WRITE setF4Key NOTIFY f4KeyChanged FINAL)
    Q_PROPERTY(
        orbitdeck::setting::LibraryAppearanceTab tab READ tab WRITE setTab NOTIFY tabChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::AppIconStyle appIcon READ appIcon WRITE setAppIcon NOTIFY
                   appIconChanged FINAL)

public:
    explicit SheetSettings(DefaultsStore& store, QObject* parent = nullptr);

    bool menuBarIcon() const;
    void setMenuBarIcon(bool value);
    setting::HotCorner hotCorner() const;
    void setHotCorner(setting::HotCorner value);
    bool pinchToOpen() const;
    void setPinchToOpen(bool value);
    bool f4Key() const;
    void setF4Key(bool value);
    setting::LibraryAppearanceTab tab() const;
    void setTab(setting::LibraryAppearanceTab value);
    setting::AppIconStyle appIcon() const;
    void setAppIcon(setting::AppIconStyle value);

signals:
    void menuBarIconChanged();
    void hotCornerChanged();
    void pinchToOpenChanged();
    void f4KeyChanged();
    void tabChanged();
    void appIconChanged();

private:
    DefaultsStore& store_;
};

} // namespace orbitdeck
