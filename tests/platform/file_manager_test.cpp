#include "platform/file_manager.h"

#include "support/private_bus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

namespace orbitdeck {
namespace {

// The file manager's interface: records what it was asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }

public:
    QStringList shown;
};

std::optional<bool> revealed(const std::filesystem::path& item, const QString& connection) {
    std::optional<bool> answer;
    showInFileManager(
        item, [&](bool shown) { answer = shown; }, connection);
    QElapsedTimer clock;
    clock.start();
    while (!answer && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return answer;
}

TEST(FileManager, ShowsTheItemOrOpensItsFolderOrSaysNeitherIsThere) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "no dbus-daemon";
    QDBusConnection::connectToBus(bus.address(), "reveal-client");
    const std::filesystem::path item = "/opt/Some Apps/Notes.app";

    // The tests see no application for folders (their data folders hold none).
    EXPECT_EQ(revealed(item, "reveal-client"), false) << "no file manager at all";

    FakeFileManager manager;
    QDBusConnection served = QDBusConnection::connectToBus(bus.address(), "file-manager");
    ASSERT_TRUE(served.registerObject("/org/freedesktop/FileManager1", &manager,
                                      QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(served.registerService("org.freedesktop.FileManager1"));
    EXPECT_EQ(revealed(item, "reveal-client"), true);
    EXPECT_EQ(manager.shown, QStringList{"file:///opt/Some%20Apps/Notes.app"});

    QDBusConnection::disconnectFromBus("file-manager");
    QDBusConnection::disconnectFromBus("reveal-client");
}

} // namespace
} // namespace orbitdeck

#include "file_manager_test.moc"
