#include "platform/launch_options.h"

#include <array>

namespace orbitdeck {

namespace {

struct Option {
    const char* name;
    InstanceRequest request;
    const char* help;
};

constexpr std::array<Option, 4> options{{
    {"--settings", InstanceRequest::settings, "show the launcher with its settings open"},
    {"--welcome", InstanceRequest::welcome, "show the launcher with the welcome guide"},
    {"--toggle", InstanceRequest::toggle, "show the launcher, or hide it when it is shown"},
    {"--quit", InstanceRequest::quit, "quit the running launcher"},
}};

} // namespace

LaunchOptions parseLaunchOptions(const QStringList& arguments) {
    LaunchOptions result;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (argument == u"--help" || argument == u"-h") {
            result.help = true;
            continue;
        }
        const auto* found = std::find_if(options.begin(), options.end(), [&](const Option& o) {
            return argument == QLatin1String(o.name);
        });
        if (found == options.end()) {
            // Qt's own options (-platform, -style …) are for QGuiApplication, which takes them
            // out before the program sees them; anything else is a mistake worth telling.
            result.error = QStringLiteral("unknown option: %1").arg(argument);
            return result;
        }
        if (result.request && *result.request != found->request) {
            result.error = QStringLiteral("only one of --settings, --welcome, --toggle and --quit");
            return result;
        }
        result.request = found->request;
    }
    return result;
}

QString launchOptionsHelp(const QString& program) {
    QString text = QStringLiteral("Usage: %1 [option]\n\n"
                                  "Starts the launcher, or brings the running one forward.\n\n")
                       .arg(program);
    for (const Option& option : options)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QLatin1String(option.name), -11)
                    .arg(QLatin1String(option.help));
    text += QStringLiteral("  %1  %2\n")
                .arg(QStringLiteral("--help"), -11)
                .arg(QStringLiteral("show this help"));
    return text;
}

} // namespace orbitdeck
