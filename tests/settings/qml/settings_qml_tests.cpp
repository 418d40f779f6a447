// Qt Quick tests of the settings sheet and its tabs over a headless window on a throwaway store,
// with fake login-item and accessibility services, fixture string tables and an organiser that
// records what it is asked to run.
#include "../fake_sheet_services.h"
#include "settings/app_icon.h"
#include "window/fixture_tables.h"
#include "window/localization_bridge.h"
#include "window/organizer.h"
#include "window/qml/view_engine.h"
#include "window/undoable_unhide.h"
#include "window/window_state_harness.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

#include <memory>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_SettingsPlugin)

using namespace orbitdeck;
using namespace orbitdeck::testing;

// Stands in for the organiser and the undoable unhide, handed to the window as the real ones
// are: records the actions and unhides it is asked for, and runs every action but those refused.
class RecordingOrganizer : public QObject, public Organizer, public UndoableUnhide {
    Q_OBJECT
    Q_PROPERTY(QStringList calls MEMBER calls)
    Q_PROPERTY(QStringList refused MEMBER refused)
public:
    using QObject::QObject;
    void performOrganization(LibraryOrganization action) override {
        calls.append(QStringLiteral("organize:") + organizationName(action));
    }
    bool canPerform(LibraryOrganization action) const override {
        return !refused.contains(organizationName(action));
    }
    void unhideWithUndo(const QString& appID) override {
        calls.append(QStringLiteral("unhide:") + appID);
    }

    QStringList calls;
    QStringList refused;
};

class Setup : public QObject {
    Q_OBJECT
public:
    // Puts every setting back to its default and the window's state with it.
    Q_INVOKABLE void reset() {
        for (const QString& key : harness_->store->keys())
            harness_->store->remove(key);
        harness_->window->lifecycle()->setWallpaperUnavailable(false);
        harness_->window->lifecycle()->setAppearanceOpen(true);
        harness_->window->storeHidden({});
        services_->login.error.reset();
        services_->login.currentStatus = LoginItemStatus::notRegistered;
        services_->trust.trusted = false;
        organizer_->calls.clear();
        organizer_->refused.clear();
    }
    Q_INVOKABLE void failLoginItem(const QString& error) { services_->login.error = error; }
    Q_INVOKABLE void trustAccessibility(bool trusted) { services_->trust.trusted = trusted; }
    Q_INVOKABLE QVariant stored(const QString& key) const {
        const auto value = harness_->store->value(key);
        if (!value)
            return {};
        return std::visit([](const auto& v) { return QVariant::fromValue(v); }, *value);
    }
    // Hides the installed applications named by their bundle ids.
    Q_INVOKABLE void hide(const QStringList& bundleIDs) {
        HiddenIDs ids;
        for (const QString& bundleID : bundleIDs)
            ids.insert(appID(bundleID.toStdString()));
        harness_->window->storeHidden(ids);
    }
    // Whether the application icon shows the image of the style named.
    Q_INVOKABLE bool iconShowsStyle(const QString& style) const {
        const auto value = enumFromRawValue<AppIconStyle>(style);
        const auto image = value ? appIconImage(*value) : std::nullopt;
        return image && QGuiApplication::windowIcon().pixmap(32, 32).toImage() ==
                            image->pixmap(32, 32).toImage();
    }
    Q_INVOKABLE void clearIcon() const { QGuiApplication::setWindowIcon(QIcon()); }

public slots:
    void applicationAvailable() {
        services_ = std::make_unique<FakeSheetServices>();
        harness_ = std::make_unique<WindowHarness>();
        harness_->catalog.setApps({app("Beta", "com.example.b"), app("Zeta", "com.example.z"),
                                   app("Alpha", "com.example.a")});
        harness_->load();
        organizer_ = new RecordingOrganizer(harness_->window.get());
        harness_->window->attachOrganizer(organizer_);
        harness_->window->attachUndoableUnhide(organizer_);
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
        engine->rootContext()->setContextProperty(QStringLiteral("testOrganizer"), organizer_);
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
    RecordingOrganizer* organizer_ = nullptr;
    std::unique_ptr<FixtureTables> tables_;
    std::unique_ptr<StringTables> stringTables_;
    std::unique_ptr<Localizer> localizer_;
    std::unique_ptr<LocalizationBridge> bridge_;
};

QUICK_TEST_MAIN_WITH_SETUP(settings_qml_tests, Setup)

#include "settings_qml_tests.moc"
