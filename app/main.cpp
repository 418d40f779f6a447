// The program entry: one launcher per session, the application object, the window state and the
// launcher window.
#include "app/launcher_scene.h"
#include "platform/application_instance.h"
#include "platform/freed_memory.h"
#include "platform/launch_options.h"
#include "window/window_log.h"

#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>
#include <cstring>

Q_IMPORT_QML_PLUGIN(Orbitdeck_AppPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_OnboardingPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_SettingsPlugin)

namespace {

using orbitdeck::ApplicationInstance;
using orbitdeck::InstanceRequest;

QString runtimeDir() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

enum class Start { owner, handedOver, noAnswer, alone };

// Owner, or the request handed to the running launcher. A launcher that is going away (a
// restart) may still hold the name for a moment: asking again then finds it free.
Start claimOrForward(ApplicationInstance& instance, InstanceRequest request) {
    const QDeadlineTimer patience(5000);
    for (;;) {
        switch (instance.claim()) {
        case ApplicationInstance::Claim::owner:
            return Start::owner;
        case ApplicationInstance::Claim::failed:
            return Start::alone;
        case ApplicationInstance::Claim::elsewhere:
            break;
        }
        switch (instance.forward(request)) {
        case ApplicationInstance::Delivery::delivered:
            return Start::handedOver;
        case ApplicationInstance::Delivery::noAnswer:
            // Asking again might carry out the request twice (a toggle would undo itself).
            return Start::noAnswer;
        case ApplicationInstance::Delivery::ownerGone:
            break;
        }
        if (patience.hasExpired())
            return Start::noAnswer;
        QThread::msleep(100);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Help needs no display, so it comes before the application object.
    for (int index = 1; index < argc; ++index)
        if (std::strcmp(argv[index], "--help") == 0 || std::strcmp(argv[index], "-h") == 0) {
            std::fputs(qPrintable(orbitdeck::launchOptionsHelp(QString::fromLocal8Bit(argv[0]))),
                       stdout);
            return 0;
        }
    // Most bindings run once per tile while the first grid is made: compiling them to machine
    // code on their third call costs the start more than it saves. Hot paths still get compiled.
    if (!qEnvironmentVariableIsSet("QV4_JIT_CALL_THRESHOLD"))
        qputenv("QV4_JIT_CALL_THRESHOLD", "200");
    orbitdeck::limitMallocArenas();
    QGuiApplication app(argc, argv);
    orbitdeck::routeCoreFailuresToLog();
    QGuiApplication::setApplicationName(QStringLiteral("Orbitdeck"));
    QGuiApplication::setOrganizationName(QStringLiteral("Orbitdeck"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ORBITDECK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(ORBITDECK_APP_ID));
    // Closing the window keeps the launcher running: the shortcut and status item bring it back.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    const orbitdeck::LaunchOptions options = orbitdeck::parseLaunchOptions(app.arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "orbitdeck: %s (see --help)\n", qPrintable(options.error));
        return 2;
    }
    const InstanceRequest request = options.request.value_or(InstanceRequest::activate);
    ApplicationInstance instance(QStringLiteral(ORBITDECK_APP_ID), runtimeDir());
    switch (claimOrForward(instance, request)) {
    case Start::handedOver:
        return 0;
    case Start::noAnswer:
        // Never a second launcher beside a slow one: the two would fight over the settings.
        std::fputs("orbitdeck: the running launcher does not answer\n", stderr);
        return 1;
    case Start::alone:
        // No bus and no runtime folder: still a working launcher, as before.
        std::fputs("orbitdeck: cannot register as the one instance; running alone\n", stderr);
        break;
    case Start::owner:
        break;
    }
    if (request == InstanceRequest::quit)
        return 0;

    // Listing the machine's fonts (fontconfig) costs the main thread ~10 ms at the first text;
    // on a worker it overlaps the loading of the views' types, which the main thread waits for.
    QThreadPool::globalInstance()->start([] { QFontDatabase::families(); });
    orbitdeck::LauncherScene launcher;
    QObject::connect(&instance, &ApplicationInstance::requested, &app,
                     [&launcher](InstanceRequest next) { launcher.perform(next); });
    if (!launcher.show())
        return 1;
    // A fresh start already shows the window: only the rest still has to happen.
    if (request == InstanceRequest::settings || request == InstanceRequest::welcome)
        launcher.perform(request);
    return QGuiApplication::exec();
}
