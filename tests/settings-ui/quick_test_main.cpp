// Qt Quick tests of the Shortcuts and Organize tabs and the app-icon picker. The picker works on
// real window settings over a throwaway defaults file; `iconProbe` tells what the application
// icon now is.
#include "platform/defaults_store.h"
#include "settings/app_icon.h"
#include "window/qml/view_engine.h"
#include "window/window_settings.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_SettingsPlugin)

class IconProbe : public QObject {
    Q_OBJECT
public:
    // Whether the application icon shows the image of the style named.
    Q_INVOKABLE bool showsStyle(const QString& style) const {
        const auto value = orbitdeck::enumFromRawValue<orbitdeck::AppIconStyle>(style);
        const auto image = value ? orbitdeck::appIconImage(*value) : std::nullopt;
        return image && QGuiApplication::windowIcon().pixmap(32, 32).toImage() ==
                            image->pixmap(32, 32).toImage();
    }
    Q_INVOKABLE void clearIcon() const { QGuiApplication::setWindowIcon(QIcon()); }
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        orbitdeck::prepareViewEngine(*engine);
        store_ = std::make_unique<orbitdeck::DefaultsStore>(home_.filePath("orbitdeck.plist"));
        settings_ = std::make_unique<orbitdeck::WindowSettings>(*store_);
        engine->rootContext()->setContextProperty(QStringLiteral("testSettings"), settings_.get());
        engine->rootContext()->setContextProperty(QStringLiteral("iconProbe"), &probe_);
    }

private:
    QTemporaryDir home_;
    std::unique_ptr<orbitdeck::DefaultsStore> store_;
    std::unique_ptr<orbitdeck::WindowSettings> settings_;
    IconProbe probe_;
};

QUICK_TEST_MAIN_WITH_SETUP(settings_tabs, Setup)

#include "quick_test_main.moc"
