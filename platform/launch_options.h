#pragma once

#include "platform/application_instance.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace orbitdeck {

// The program's command line: at most one request for the launcher, or help.
struct LaunchOptions {
    std::optional<InstanceRequest> request;
    bool help = false;
    // Set when the command line cannot be used; the program then prints it and ends.
    QString error;
};

// arguments: the whole command line, program name first.
LaunchOptions parseLaunchOptions(const QStringList& arguments);
QString launchOptionsHelp(const QString& program);

} // namespace orbitdeck
