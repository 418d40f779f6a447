// Qt Quick tests of the settings sheet over a headless window on a throwaway store, with fake
// login-item and accessibility services and fixture string tables.
#include "../fake_sheet_services.h"
#include "window/fixture_tables.h"
#include "window/localization_bridge.h"
#include "window/qml/view_engine.h"
#include "window/window_state_harness.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

#include <memory>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_SettingsPlugin)

using namespace orbitdeck;
using namespace orbitdeck::testing;

class Setup : public QObject {
    Q_OBJECT
public:
    // Puts every setting back to its default and the window's state with it.
    Q_INVOKABLE void reset() {
        for (const QString& key : harness_->store->keys())
            harness_->store->remove(key);
        harness_->window->lifecycle()->setWallpaperUnavailable(false);
        harness_->window->lifecycle()->setAppearanceOpen(true);
        services_->login.error.reset();
        services_->login.currentStatus = LoginItemStatus::notRegistered;
    }
    Q_INVOKABLE void failLoginItem(const QString& error) { services_->login.error = error; }
    Q_INVOKABLE QVariant stored(const QString& key) const {
        const auto value = harness_->store->value(key);
        if (!value)
            return {};
        return std::visit([](const auto& v) { return QVariant::fromValue(v); }, *value);
    }

public slots:
    void applicationAvailable() {
        services_ = std::make_unique<FakeSheetServices>();
        harness_ = std::make_unique<WindowHarness>();
        harness_->make();
        tables_ = std::make_unique<FixtureTables>(std::map<QString, QByteArray>{
            {"en", ""},
            {"de", "\"Done\" = \"Fertig\";\n\"Grid\" = \"Raster\";"},
        });
        stringTables_ = std::make_unique<StringTables>(tables_->path());
        localizer_ = std::make_unique<Localizer>(*stringTables_, QStringList{"en-US"});
        bridge_ = std::make_unique<LocalizationBridge>(*harness_->store, *localizer_);
    }
    void qmlEngineAvailable(QQmlEngine* engine) {
        prepareViewEngine(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("testSetup"), this);
        engine->rootContext()->setContextProperty(QStringLiteral("testWin"),
                                                  harness_->window.get());
        engine->rootContext()->setContextProperty(QStringLiteral("testLang"), bridge_.get());
    }
    void cleanupTestCase() {
        bridge_.reset();
        harness_.reset();
        services_.reset();
    }

private:
    std::unique_ptr<FakeSheetServices> services_;
    std::unique_ptr<WindowHarness> harness_;
    std::unique_ptr<FixtureTables> tables_;
    std::unique_ptr<StringTables> stringTables_;
    std::unique_ptr<Localizer> localizer_;
    std::unique_ptr<LocalizationBridge> bridge_;
};

QUICK_TEST_MAIN_WITH_SETUP(settings_qml_tests, Setup)

#include "settings_qml_tests.moc"
