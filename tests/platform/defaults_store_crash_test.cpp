#include "platform/defaults_store.h"

#include "temp_config_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using orbitdeck::DefaultsStore;

namespace {

// Large enough that a kill often lands inside a write.
QByteArray payloadFor(qint64 counter) {
    return QByteArray(256 * 1024, static_cast<char>('a' + counter % 26));
}

[[noreturn]] void writeForever(const QString& path, qint64 counter) {
    DefaultsStore store(path);
    for (;;) {
        ++counter;
        store.setValues({{"counter", counter}, {"payload", payloadFor(counter)}});
    }
}

} // namespace

TEST(DefaultsStoreCrash, FileHoldsOldOrNewValueWhenTheWriterIsKilled) {
    TempConfigHome home;
    const QString path = DefaultsStore::domainFilePath("crash");
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delayMicros(0, 15000);
    qint64 last = 0;
    int advanced = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(path, last);
        ::usleep(static_cast<useconds_t>(delayMicros(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

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
    EXPECT_GT(advanced, 0);
}
