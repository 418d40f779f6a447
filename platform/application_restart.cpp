#include "platform/application_restart.h"

#include "platform/main_thread.h"

#include <QCoreApplication>
#include <QProcess>

namespace orbitdeck {

RestartCommand restartCommand(qint64 processId, const QString& program,
                              const QStringList& programArguments) {
    // Everything reaches the script as a positional parameter, so no path is ever parsed by
    // the shell.
    static const QString script =
        QStringLiteral("while kill -0 \"$1\" 2>/dev/null; do sleep 0.2; done; shift; exec \"$@\"");
    QStringList arguments{QStringLiteral("-c"), script, QStringLiteral("sh"),
                          QString::number(processId), program};
    arguments += programArguments;
    return {.program = QStringLiteral("/bin/sh"), .arguments = arguments};
}

bool restartApplication(const RestartSeams& seams) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QStringList arguments = QCoreApplication::arguments();
    const RestartCommand command =
        restartCommand(QCoreApplication::applicationPid(), QCoreApplication::applicationFilePath(),
                       arguments.mid(1));
    if (!seams.start(command))
        return false;
    seams.quit();
    return true;
}

bool restartApplication() {
    return restartApplication({
        .start =
            [](const RestartCommand& command) {
                return QProcess::startDetached(command.program, command.arguments);
            },
        .quit = [] { QCoreApplication::quit(); },
    });
}

} // namespace orbitdeck
