#include "platform/application_instance.h"
#include "platform/launch_options.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>

using namespace orbitdeck;

namespace {

using Claim = ApplicationInstance::Claim;
constexpr auto socketOnly = ApplicationInstance::Transport::socketOnly;
const QString appId = QStringLiteral("dev.ambergrid.OrbitdeckTest");

// What a later start writes to the owner's socket, sent from another thread so the owner's
// event loop (this thread) can answer; the reply line, or "none".
QByteArray sendLine(const QString& path, const QByteArray& line) {
    auto reply = std::async(std::launch::async, [path, line] {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(3000))
            return QByteArray("none");
        socket.write(line);
        socket.waitForBytesWritten(3000);
        while (!socket.canReadLine())
            if (!socket.waitForReadyRead(3000))
                return QByteArray("none");
        return socket.readLine().trimmed();
    });
    const QDeadlineTimer patience(5000);
    while (reply.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready &&
           !patience.hasExpired())
        QCoreApplication::processEvents();
    return reply.get();
}

// A bound socket whose process is gone: the file stays, nobody listens.
void leaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(path));
}

} // namespace

TEST(LaunchOptions, ReadsOneRequestAndRefusesTheRest) {
    const auto parse = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("orbitdeck"));
        return parseLaunchOptions(arguments);
    };
    EXPECT_EQ(parse({}).request, std::nullopt);
    EXPECT_TRUE(parse({}).error.isEmpty());
    EXPECT_EQ(parse({"--settings"}).request, InstanceRequest::settings);
    EXPECT_EQ(parse({"--welcome"}).request, InstanceRequest::welcome);
    EXPECT_EQ(parse({"--toggle"}).request, InstanceRequest::toggle);
    EXPECT_EQ(parse({"--quit"}).request, InstanceRequest::quit);
    EXPECT_EQ(parse({"--quit", "--quit"}).request, InstanceRequest::quit) << "a repeat is harmless";
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-h"}).help);

    // Two different requests, or a word that is none, start nothing.
    EXPECT_FALSE(parse({"--settings", "--quit"}).error.isEmpty());
    EXPECT_FALSE(parse({"--setting"}).error.isEmpty());
    EXPECT_FALSE(parse({"settings"}).error.isEmpty());

    const QString help = launchOptionsHelp(QStringLiteral("orbitdeck"));
    for (const char* option : {"--settings", "--welcome", "--toggle", "--quit", "--help"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}

TEST(ApplicationInstance, ActionNamesAreTheDesktopEntrysActions) {
    for (const auto request :
         {InstanceRequest::activate, InstanceRequest::settings, InstanceRequest::welcome,
          InstanceRequest::quit, InstanceRequest::toggle})
        EXPECT_EQ(requestFromActionName(actionName(request)), request);
    EXPECT_EQ(actionName(InstanceRequest::activate), "open");
    EXPECT_EQ(requestFromActionName("Settings"), std::nullopt) << "names are exact";
    EXPECT_EQ(requestFromActionName(""), std::nullopt);
    EXPECT_EQ(ApplicationInstance(appId, "/run").objectPath(), "/dev/ambergrid/OrbitdeckTest");
}

TEST(ApplicationInstance, OneOwnerPerRuntimeFolderAndRequestsReachIt) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    // A socket file left by a launcher that was killed does not keep the next one out.
    leaveStaleSocket(runtime.path() + "/" + appId + ".socket");

    auto owner = std::make_unique<ApplicationInstance>(appId, runtime.path());
    ASSERT_EQ(owner->claim(socketOnly), Claim::owner);
    EXPECT_FALSE(owner->ownsBusName());
    EXPECT_TRUE(owner->listens());
    ApplicationInstance later(appId, runtime.path());
    EXPECT_EQ(later.claim(socketOnly), Claim::elsewhere);

    QSignalSpy requests(owner.get(), &ApplicationInstance::requested);
    EXPECT_EQ(sendLine(owner->socketPath(), "settings\n"), "ok");
    EXPECT_EQ(sendLine(owner->socketPath(), "toggle\n"), "ok");
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0][0].value<InstanceRequest>(), InstanceRequest::settings);
    EXPECT_EQ(requests[1][0].value<InstanceRequest>(), InstanceRequest::toggle);

    // Nothing that is not an action reaches the launcher; an endless line is cut off.
    EXPECT_EQ(sendLine(owner->socketPath(), "rm -rf /\n"), "unknown");
    EXPECT_EQ(sendLine(owner->socketPath(), QByteArray(4096, 'x')), "none");
    EXPECT_EQ(requests.size(), 2);

    // The owner gone (the kernel drops its lock even after a crash): a request finds nobody,
    // which tells the later start to claim again, and it then owns.
    owner.reset();
    EXPECT_EQ(later.forward(InstanceRequest::settings), ApplicationInstance::Delivery::ownerGone);
    EXPECT_EQ(later.claim(socketOnly), Claim::owner);
}

TEST(ApplicationInstance, WithoutARuntimeFolderTheLauncherRunsAlone) {
    ApplicationInstance nowhere(appId, QStringLiteral("/nonexistent/orbitdeck-runtime"));
    EXPECT_EQ(nowhere.claim(socketOnly), Claim::failed);
    ApplicationInstance unset(appId, QString());
    EXPECT_EQ(unset.claim(socketOnly), Claim::failed);
}
