#include "platform/defaults_store.h"

#include "support/temp_config_home.h"

#include <QDir>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using orbitdeck::DefaultsStore;

namespace {

// Large enough that a kill often lands inside a write.
QByteArray payloadFor(qint64 counter) {
    return QByteArray(128 * 1024, static_cast<char>('a' + counter % 26));
}

void writeCounter(DefaultsStore& store, qint64 counter) {
    store.setValues({{"counter", counter}, {"payload", payloadFor(counter)}});
}

// Writes ever larger counters and reports each finished write with one byte on the pipe.
[[noreturn]] void writeForever(const QString& path, qint64 counter, int reportFd) {
    DefaultsStore store(path);
    for (;;) {
        writeCounter(store, ++counter);
        const char done = 1;
        if (::write(reportFd, &done, 1) != 1)
            ::_exit(1);
    }
}

qint64 microsecondsPerWrite(const QString& path) {
    DefaultsStore store(path);
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= 3; ++i)
        writeCounter(store, i);
    return std::max<qint64>(timer.nsecsElapsed() / 3000, 100);
}

} // namespace

TEST(DefaultsStoreCrash, FileHoldsOldOrNewValueWhenTheWriterIsKilled) {
    TempConfigHome home;
    const QString path = DefaultsStore::domainFilePath("crash");
    const qint64 writeMicros = microsecondsPerWrite(DefaultsStore::domainFilePath("calibration"));
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> finishedWrites(0, 2);
    std::uniform_int_distribution<qint64> extraMicros(0, writeMicros + writeMicros / 2);
    qint64 last = 0;
    int advanced = 0;
    for (int round = 0; round < 200; ++round) {
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(report[0]);
            writeForever(path, last, report[1]);
        }
        ::close(report[1]);
        // Let a few writes finish, then kill at a random moment, often inside the next one.
        char done;
        for (int waits = finishedWrites(random); waits > 0; --waits)
            ASSERT_EQ(::read(report[0], &done, 1), 1);
        ::usleep(static_cast<useconds_t>(extraMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(report[0]);

        DefaultsStore store(path);
        ASSERT_TRUE(store.movedAsidePath().isEmpty()) << "round " << round << " left a bad file";
        if (!store.contains("counter"))
            continue; // killed before its first write ever finished
        const qint64 counter = store.integerValue("counter").value_or(-1);
        ASSERT_GE(counter, last) << "round " << round;
        ASSERT_EQ(store.dataValue("payload"), payloadFor(counter)) << "round " << round;
        advanced += counter > last;
        last = counter;
    }
    EXPECT_GT(advanced, 50);
    // Opening the domain cleared what the killed writers left behind.
    const QStringList temporaries =
        QFileInfo(path).absoluteDir().entryList({"*.tmp"}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(temporaries.isEmpty()) << temporaries.join(' ').toStdString();
}
