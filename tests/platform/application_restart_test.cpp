#include "platform/application_restart.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using orbitdeck::restartApplication;
using orbitdeck::restartCommand;
using orbitdeck::RestartCommand;

namespace {

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

TEST(ApplicationRestart, ShellWaitsForTheOldProcessThenStartsTheProgram) {
    QTemporaryDir dir;
    // A path the shell would split or expand if it ever parsed it.
    const QString marker = dir.path() + QStringLiteral("/it's \"back\" $HOME");

    QProcess old;
    old.start(QStringLiteral("/bin/sleep"), {QStringLiteral("1")});
    ASSERT_TRUE(old.waitForStarted());

    const RestartCommand command =
        restartCommand(old.processId(), QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"), QStringLiteral("touch \"$0\""), marker});
    EXPECT_EQ(command.program, QStringLiteral("/bin/sh"));
    ASSERT_TRUE(QProcess::startDetached(command.program, command.arguments));

    // Nothing starts while the old process lives.
    EXPECT_FALSE(waitFor([&] { return QFile::exists(marker); }, 300));
    ASSERT_TRUE(old.waitForFinished(5000));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(marker); }, 10000));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(ApplicationRestart, QuitsOnlyOnceTheShellStarted) {
    int quits = 0;
    std::vector<RestartCommand> started;
    const auto quit = [&] { ++quits; };

    EXPECT_FALSE(
        restartApplication({.start = [](const RestartCommand&) { return false; }, .quit = quit}));
    EXPECT_EQ(quits, 0);

    EXPECT_TRUE(restartApplication({.start =
                                        [&](const RestartCommand& command) {
                                            started.push_back(command);
                                            return true;
                                        },
                                    .quit = quit}));
    EXPECT_EQ(quits, 1);
    ASSERT_EQ(started.size(), 1U);
    EXPECT_EQ(started[0].program, QStringLiteral("/bin/sh"));
    // The waited-for process is this one.
    EXPECT_EQ(started[0].arguments.value(3), QString::number(QCoreApplication::applicationPid()));
}
