#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace orbitdeck {

// How the launcher starts itself again: a detached shell that polls every 0.2 s until this
// process has gone, then runs the program with the same arguments.
struct RestartCommand {
    QString program;
    QStringList arguments;
};

RestartCommand restartCommand(qint64 processId, const QString& program,
                              const QStringList& programArguments);

// Starts the shell for this process and quits. When the shell cannot be started the launcher
// stays running: quitting then would leave the user with no launcher at all.
struct RestartSeams {
    std::function<bool(const RestartCommand&)> start;
    std::function<void()> quit;
};
bool restartApplication(const RestartSeams& seams);
// The same for the running application.
bool restartApplication();

} // namespace orbitdeck
