#include "platform/defaults_store.h"

#include "support/temp_config_home.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using orbitdeck::DefaultsStore;
using orbitdeck::DefaultsValue;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The same document in the binary form, as another program might have written it.
QByteArray binaryPlist(const char* xml) {
    plist_t root = nullptr;
    plist_from_xml(xml, static_cast<uint32_t>(std::strlen(xml)), &root);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    QByteArray result(bytes, static_cast<qsizetype>(length));
    std::free(bytes);
    plist_free(root);
    return result;
}

// A binary plist of `count` arrays, each holding two references to the next.
QByteArray doublingArrays(int count) {
    QByteArray bytes("bplist00");
    QByteArray offsets;
    for (int i = 0; i < count; ++i) {
        offsets.append(static_cast<char>(bytes.size()));
        if (i + 1 < count)
            bytes.append('\xA2').append(static_cast<char>(i + 1)).append(static_cast<char>(i + 1));
        else
            bytes.append('\xA0');
    }
    const auto tableOffset = static_cast<char>(bytes.size());
    bytes.append(offsets);
    const char trailer[32] = {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, static_cast<char>(count),
                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, tableOffset};
    bytes.append(trailer, sizeof trailer);
    return bytes;
}

// The file watch delivers through the event loop.
void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives for the whole test run
}

bool processEventsUntil(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

} // namespace

TEST(DefaultsStore, KeepsEveryKindOfValueAcrossReopening) {
    TempConfigHome home;
    const QByteArray binary("\0\x01\xff layout", 10);
    {
        auto store = DefaultsStore::openDomain("app");
        EXPECT_EQ(store->filePath(), home.path() + "/orbitdeck/app.plist");
        EXPECT_FALSE(QFile::exists(store->filePath())) << "opening creates nothing";
        EXPECT_TRUE(store->setValue("flag", true));
        EXPECT_TRUE(store->setValue("count", qint64{-42}));
        EXPECT_TRUE(store->setValue("big", qint64{1} << 53));
        EXPECT_TRUE(store->setValue("blur", 0.1));
        EXPECT_TRUE(store->setValue("name", QString::fromUtf8("Réglages 设置 & <x>")));
        EXPECT_TRUE(store->setValue("data", binary));
    }
    auto store = DefaultsStore::openDomain("app");
    EXPECT_EQ(store->boolValue("flag"), true);
    EXPECT_EQ(store->integerValue("count"), -42);
    EXPECT_EQ(store->integerValue("big"), qint64{1} << 53);
    EXPECT_EQ(store->realValue("blur"), 0.1);
    EXPECT_EQ(store->stringValue("name"), QString::fromUtf8("Réglages 设置 & <x>"));
    EXPECT_EQ(store->dataValue("data"), binary);
    EXPECT_EQ(store->keys().size(), 6);

    // Absent and wrongly typed keys both read as none, but only one of them exists.
    EXPECT_FALSE(store->boolValue("missing"));
    EXPECT_FALSE(store->contains("missing"));
    EXPECT_FALSE(store->boolValue("count"));
    EXPECT_FALSE(store->stringValue("data"));
    EXPECT_TRUE(store->contains("count"));
    EXPECT_EQ(store->realValue("count"), -42.0) << "an integer also reads as a real";
    EXPECT_FALSE(store->integerValue("blur")) << "a real does not read as an integer";

    EXPECT_TRUE(store->remove("flag"));
    EXPECT_FALSE(DefaultsStore::openDomain("app")->contains("flag"));
    const QStringList leftovers =
        QDir(home.path() + "/orbitdeck").entryList(QDir::Hidden | QDir::Files);
    EXPECT_EQ(leftovers, (QStringList{"app.plist", "app.plist.lock"}))
        << "no temporary file stays behind";

    // A domain file linked from elsewhere (a dotfiles checkout) stays a link.
    const QString real = home.path() + "/dotfiles/linked.plist";
    QDir().mkpath(home.path() + "/dotfiles");
    ASSERT_TRUE(QFile::link(real, DefaultsStore::domainFilePath("linked")));
    DefaultsStore::openDomain("linked")->setValue("skin", QString("dusk"));
    EXPECT_TRUE(QFileInfo(DefaultsStore::domainFilePath("linked")).isSymLink());
    EXPECT_EQ(DefaultsStore::openDomain("linked")->stringValue("skin"), "dusk");
    EXPECT_TRUE(QFile::exists(real));
}

TEST(DefaultsStore, SignalsEachChangedKeyOnce) {
    TempConfigHome home;
    auto store = DefaultsStore::openDomain("app");
    QStringList changes;
    QObject::connect(store.get(), &DefaultsStore::valueChanged,
                     [&](const QString& key) { changes.append(key); });
    int skinChanges = 0;
    QObject context;
    store->observe("skin", &context, [&] { ++skinChanges; });

    store->setValue("skin", QString("paper"));
    store->setValue("skin", QString("paper"));
    store->setValue("labels", false);
    store->setValue("skin", qint64{1});
    store->setValues({{"a", true}, {"b", true}});
    store->remove("skin");
    store->remove("skin");
    EXPECT_EQ(changes, (QStringList{"skin", "labels", "skin", "a", "b", "skin"}));
    EXPECT_EQ(skinChanges, 3);
}

TEST(DefaultsStore, TwoWritersKeepEachOthersChanges) {
    TempConfigHome home;
    ensureApplication();
    const QString path = DefaultsStore::domainFilePath("shared");
    {
        SCOPED_TRACE("two stores on one file, neither told of the other");
        DefaultsStore first(path);
        DefaultsStore second(path);
        EXPECT_TRUE(first.setValue("hidden", QByteArray("[\"bundle:a\"]")));
        EXPECT_TRUE(second.setValue("skin", QString("dusk")));
        EXPECT_TRUE(first.setValue("labels", false));
        EXPECT_TRUE(second.remove("labels")) << "a removal is a change of its own";
        DefaultsStore reopened(path);
        EXPECT_EQ(reopened.dataValue("hidden"), QByteArray("[\"bundle:a\"]"));
        EXPECT_EQ(reopened.stringValue("skin"), "dusk");
        EXPECT_FALSE(reopened.contains("labels"));
        EXPECT_EQ(first.stringValue("skin"), "dusk") << "the merge also updates memory";
    }
    {
        SCOPED_TRACE("a child process writes: its key survives ours, and we hear of it");
        DefaultsStore mine(path);
        QStringList heard;
        QObject::connect(&mine, &DefaultsStore::valueChanged,
                         [&](const QString& key) { heard.append(key); });
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DefaultsStore theirs(path);
            ::_exit(theirs.setValue("fromChild", qint64{7}) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_TRUE(mine.setValue("mine", qint64{1}));
        DefaultsStore reopened(path);
        EXPECT_EQ(reopened.integerValue("fromChild"), 7);
        EXPECT_EQ(reopened.integerValue("mine"), 1);
        EXPECT_EQ(reopened.stringValue("skin"), "dusk");
        EXPECT_TRUE(heard.contains("fromChild"));
    }
    {
        SCOPED_TRACE("two processes writing at once lose no key");
        constexpr int keysEach = 40;
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> children;
        for (const char* writer : {"first", "second"}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(start[1]);
                char go = 0;
                // Both begin when the parent closes the pipe.
                if (::read(start[0], &go, 1) != 0)
                    ::_exit(2);
                DefaultsStore store(path);
                for (int i = 0; i < keysEach; ++i)
                    if (!store.setValue(QStringLiteral("%1-%2").arg(writer).arg(i), qint64{i}))
                        ::_exit(1);
                ::_exit(0);
            }
            children.push_back(child);
        }
        ::close(start[0]);
        ::close(start[1]);
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        DefaultsStore reopened(path);
        int lost = 0;
        for (const char* writer : {"first", "second"})
            for (int i = 0; i < keysEach; ++i)
                lost += !reopened.contains(QStringLiteral("%1-%2").arg(writer).arg(i));
        EXPECT_EQ(lost, 0);
        EXPECT_EQ(reopened.stringValue("skin"), "dusk");

        // A writer stuck with the lock costs the others a bounded wait, after which they write.
        const orbitdeck::FileLock stuck(path + ".lock");
        ASSERT_TRUE(stuck.held());
        QElapsedTimer waited;
        waited.start();
        const orbitdeck::FileLock next(path + ".lock", std::chrono::milliseconds(50));
        EXPECT_EQ(next.state(), orbitdeck::FileLock::State::busy);
        EXPECT_GE(waited.elapsed(), 50);
    }
    {
        SCOPED_TRACE("an observed store follows the file without writing itself");
        DefaultsStore watching(path);
        DefaultsStore other(path);
        QStringList heard;
        QObject::connect(&watching, &DefaultsStore::valueChanged,
                         [&](const QString& key) { heard.append(key); });
        other.setValue("skin", QString("night"));
        EXPECT_TRUE(processEventsUntil([&] { return heard.contains("skin"); }));
        EXPECT_EQ(watching.stringValue("skin"), "night");
        other.remove("fromChild");
        EXPECT_TRUE(processEventsUntil([&] { return heard.contains("fromChild"); }));
        EXPECT_FALSE(watching.contains("fromChild"));
        // Rewritten in place by a script rather than replaced.
        heard.clear();
        writeBytes(path, "<plist><dict><key>skin</key><string>paper</string></dict></plist>");
        EXPECT_TRUE(processEventsUntil([&] { return heard.contains("skin"); }));
        EXPECT_EQ(watching.stringValue("skin"), "paper");
        // Seen halfway through such a write: left for the writer to finish.
        writeBytes(path, "<plist><dict><key>skin</key><str");
        watching.reloadIfChanged();
        EXPECT_TRUE(watching.movedAsidePath().isEmpty());
        EXPECT_EQ(watching.stringValue("skin"), "paper");
        writeBytes(path, "<plist><dict><key>skin</key><string>dawn</string></dict></plist>");
        watching.reloadIfChanged();
        EXPECT_EQ(watching.stringValue("skin"), "dawn");
        writeBytes(path, "<plist><dict><key>skin</key><string>paper</string></dict></plist>");
    }
    {
        SCOPED_TRACE("a file removed by someone else takes nothing from memory");
        DefaultsStore mine(path);
        ASSERT_TRUE(QFile::remove(path));
        EXPECT_TRUE(mine.setValue("after", true));
        DefaultsStore reopened(path);
        EXPECT_EQ(reopened.stringValue("skin"), "paper");
        EXPECT_EQ(reopened.boolValue("after"), true);
    }
}

TEST(DefaultsStore, MakesNoFoldersAlongALink) {
    TempConfigHome home;
    const QString path = DefaultsStore::domainFilePath("linked");
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString elsewhere = home.path() + "/elsewhere/deep/linked.plist";
    ASSERT_TRUE(QFile::link(elsewhere, path));
    DefaultsStore store(path);
    EXPECT_FALSE(store.setValue("skin", QString("dusk")));
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/elsewhere")) << "no folder made for the link";
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    // Once the target's folder exists the link is written through and stays a link.
    QDir().mkpath(home.path() + "/elsewhere/deep");
    EXPECT_TRUE(store.setValue("skin", QString("paper")));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(DefaultsStore(elsewhere).stringValue("skin"), "paper");

    // The configuration folder itself a dangling link: nothing is made where it points.
    const QString folder = QFileInfo(DefaultsStore::domainFilePath("x")).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(home.path() + "/away/deep", folder));
    EXPECT_FALSE(DefaultsStore::openDomain("x")->setValue("skin", QString("dusk")));
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/away"));
}

TEST(DefaultsStore, MovesAnUnparsableFileAsideAndStartsEmpty) {
    TempConfigHome home;
    const QString path = DefaultsStore::domainFilePath("app");
    for (const QByteArray& garbage :
         {QByteArray("not a plist"), QByteArray("<?xml version=\"1.0\"?><plist><array/></plist>"),
          QByteArray("bplist00\xff\xff", 10)}) {
        writeBytes(path, garbage);
        auto store = DefaultsStore::openDomain("app");
        EXPECT_TRUE(store->keys().isEmpty());
        ASSERT_FALSE(store->movedAsidePath().isEmpty());
        EXPECT_EQ(readAll(store->movedAsidePath()), garbage);
        EXPECT_TRUE(store->setValue("skin", QString("dusk")));
        EXPECT_EQ(DefaultsStore::openDomain("app")->stringValue("skin"), "dusk");
    }
    // Each bad file got its own place; none replaced an earlier one.
    EXPECT_EQ(readAll(path + ".unreadable-1"), "not a plist");
    EXPECT_TRUE(QFile::exists(path + ".unreadable-3"));

    // Nesting far beyond any domain would hang or overflow the parser: refused, moved aside.
    const QByteArray deep = "<plist><dict><key>a</key>" + QByteArray("<array>").repeated(100000) +
                            QByteArray("</array>").repeated(100000) + "</dict></plist>";
    writeBytes(path, deep);
    EXPECT_FALSE(DefaultsStore::openDomain("app")->movedAsidePath().isEmpty());

    // Forty arrays each pointing twice at the next: a few hundred bytes that the parser would
    // copy into 2^40 nodes. Refused before parsing; a flat binary domain still reads.
    writeBytes(path, doublingArrays(40));
    EXPECT_FALSE(DefaultsStore::openDomain("app")->movedAsidePath().isEmpty());
    writeBytes(path,
               binaryPlist("<plist><dict><key>skin</key><string>paper</string></dict></plist>"));
    {
        auto store = DefaultsStore::openDomain("app");
        EXPECT_TRUE(store->movedAsidePath().isEmpty());
        EXPECT_EQ(store->stringValue("skin"), "paper");
    }

    // A NUL character in a key or string makes the plist library abort: not a domain file.
    const char withNul[] = "<plist><dict><key>name</key><string>a\0b</string></dict></plist>";
    writeBytes(path, QByteArray(withNul, sizeof withNul - 1));
    EXPECT_FALSE(DefaultsStore::openDomain("app")->movedAsidePath().isEmpty());
    writeBytes(path, "<plist><dict><key>a&#x00;</key><true/></dict></plist>");
    EXPECT_FALSE(DefaultsStore::openDomain("app")->movedAsidePath().isEmpty());

    // A file we may not read is not corruption: it stays, and nothing is written over it.
    if (::geteuid() != 0) {
        writeBytes(path, "secret");
        ::chmod(QFile::encodeName(path).constData(), 0);
        auto store = DefaultsStore::openDomain("app");
        EXPECT_FALSE(store->isWritable());
        EXPECT_FALSE(store->setValue("skin", QString("night")));
        EXPECT_EQ(store->stringValue("skin"), "night") << "the session still sees its change";
        ::chmod(QFile::encodeName(path).constData(), 0600);
        EXPECT_EQ(readAll(path), "secret");
    }
}

TEST(DefaultsStore, KeepsEntriesOfOtherKindsAndReadsBinaryFiles) {
    TempConfigHome home;
    plist_t root = plist_new_dict();
    plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_string("kept"));
    plist_dict_set_item(root, "ambergrid.list", list);
    plist_dict_set_item(root, "ambergrid.dropped", plist_new_date(0, 0));
    plist_dict_set_item(root, "ambergrid.skin", plist_new_string("dusk"));
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    writeBytes(DefaultsStore::domainFilePath("legacy"), QByteArray(bytes, length));
    plist_to_bin_free(bytes);

    auto store = DefaultsStore::openExistingDomain("legacy");
    ASSERT_TRUE(store);
    EXPECT_EQ(store->stringValue("ambergrid.skin"), "dusk");
    EXPECT_FALSE(store->contains("ambergrid.list"));
    store->setValue("ambergrid.labels", false);
    store->setValue("ambergrid.dropped", true);

    const QByteArray xml = readAll(store->filePath());
    EXPECT_TRUE(xml.contains("<string>kept</string>")) << xml.constData();
    EXPECT_FALSE(xml.contains("<date>")) << "a key set anew replaces the old entry";
    EXPECT_FALSE(DefaultsStore::openExistingDomain("absent"));
}
