#include "platform/defaults_store.h"
#include "window/localization_bridge.h"

#include "../fixture_tables.h"
#include "support/temp_config_home.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

#include <memory>

using namespace orbitdeck;

// Gives the QML tests a throwaway defaults domain, fixture tables and the L singleton, and lets
// them change the language setting the way the settings sheet does: through the store.
class Setup : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void setLanguage(const QString& language) {
        store_->setValue(QStringLiteral("ambergrid.language"), language);
    }

public slots:
    void applicationAvailable() {
        home_ = std::make_unique<TempConfigHome>();
        tables_ = std::make_unique<FixtureTables>(std::map<QString, QByteArray>{
            {"en", ""},
            {"de", "\"Done\" = \"Fertig\";\n\"Refreshed · %lld apps\" = \"%lld Apps neu\";"},
            {"ja", "\"Done\" = \"完了\";"},
        });
        stringTables_ = std::make_unique<StringTables>(tables_->path());
        localizer_ = std::make_unique<Localizer>(*stringTables_, QStringList{"en-US"});
        store_ = DefaultsStore::openDomain(QStringLiteral("qml-tests"));
        bridge_ = std::make_unique<LocalizationBridge>(*store_, *localizer_);
        LocalizationBridge::registerSingleton(bridge_.get());
    }
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->rootContext()->setContextProperty(QStringLiteral("testSetup"), this);
    }

private:
    std::unique_ptr<TempConfigHome> home_;
    std::unique_ptr<FixtureTables> tables_;
    std::unique_ptr<StringTables> stringTables_;
    std::unique_ptr<Localizer> localizer_;
    std::unique_ptr<DefaultsStore> store_;
    std::unique_ptr<LocalizationBridge> bridge_;
};

QUICK_TEST_MAIN_WITH_SETUP(window_qml_tests, Setup)

#include "window_qml_tests.moc"
