// The program entry: the application object, the window state and the launcher window.
#include "window/app/launcher_window.h"

#include <QApplication>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orbitdeck"));
    QApplication::setOrganizationName(QStringLiteral("Orbitdeck"));
    // Closing the window keeps the launcher running: the shortcut and status item bring it back.
    QApplication::setQuitOnLastWindowClosed(false);

    orbitdeck::LauncherWindow launcher;
    if (!launcher.show())
        return 1;
    return QApplication::exec();
}
