// The program entry: the application object, the window state and the launcher window.
#include "window/app/launcher_scene.h"

#include <QGuiApplication>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
#ifdef ORBITDECK_HAS_ONBOARDING_VIEWS
Q_IMPORT_QML_PLUGIN(Orbitdeck_OnboardingPlugin)
#endif
#ifdef ORBITDECK_HAS_SETTINGS
Q_IMPORT_QML_PLUGIN(Orbitdeck_SettingsPlugin)
#endif

int main(int argc, char* argv[]) {
    // Most bindings run once per tile while the first grid is made: compiling them to machine
    // code on their third call costs the start more than it saves. Hot paths still get compiled.
    if (!qEnvironmentVariableIsSet("QV4_JIT_CALL_THRESHOLD"))
        qputenv("QV4_JIT_CALL_THRESHOLD", "200");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Orbitdeck"));
    QGuiApplication::setOrganizationName(QStringLiteral("Orbitdeck"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ORBITDECK_VERSION));
    // Closing the window keeps the launcher running: the shortcut and status item bring it back.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    orbitdeck::LauncherScene launcher;
    if (!launcher.show())
        return 1;
    return QGuiApplication::exec();
}
