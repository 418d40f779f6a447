#include "arranging_fixture.h"

#include "platform/defaults_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdlib>
#include <utility>

namespace orbitdeck::testing {
namespace {

void run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

void xdotool(const QStringList& arguments) {
    run(QStringLiteral("xdotool"), arguments);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray infoPlist(const QString& name) {
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>CFBundleIdentifier</key><string>com.example.%1</string>
<key>CFBundleName</key><string>%2</string>
<key>CFBundleExecutable</key><string>%2</string>
<key>CFBundlePackageType</key><string>APPL</string>
</dict></plist>
)")
        .arg(name.toLower(), name)
        .toUtf8();
}

QStringList itemKeys(const QJsonArray& items) {
    QStringList keys;
    for (const QJsonValue& item : items) {
        const QJsonObject object = item.toObject();
        const QString kind = object.keys().value(0);
        const QJsonValue payload = object.value(kind).toObject().value(QStringLiteral("_0"));
        keys << kind + QLatin1Char(':') +
                    (payload.isObject()
                         ? payload.toObject().value(QStringLiteral("rawValue")).toString()
                         : payload.toString());
    }
    return keys;
}

std::optional<QRect> rectIn(const QJsonObject& report, const QString& objectName) {
    const QJsonValue item = report.value(QStringLiteral("items")).toObject().value(objectName);
    if (!item.isObject())
        return std::nullopt;
    const QJsonObject rect = item.toObject();
    return QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                 rect.value(QStringLiteral("w")).toInt(), rect.value(QStringLiteral("h")).toInt());
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > bound.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

std::string fixtureID(const QString& name) {
    return "bundle:com.example." + name.toLower().toStdString();
}

QString cellName(const QString& name) {
    return QStringLiteral("library-cell-application:") + QString::fromStdString(fixtureID(name));
}

void ArrangingApp::SetUp() {
    ASSERT_TRUE(home_.isValid());
    reportPath_ = home_.filePath(QStringLiteral("report.json"));
}

void ArrangingApp::TearDown() {
    // A failed step may have left the button down on this shared X server.
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")});
    if (app_.state() != QProcess::NotRunning) {
        app_.terminate();
        if (!app_.waitForFinished(5000))
            app_.kill();
        app_.waitForFinished(5000);
    }
}

void ArrangingApp::start(const QStringList& names) {
    const QString home = home_.path();
    QJsonArray page;
    for (const QString& name : names) {
        const QString bundle =
            home + QStringLiteral("/Applications/") + name + QStringLiteral(".app");
        writeFile(bundle + QStringLiteral("/Contents/Info.plist"), infoPlist(name));
        writeFile(bundle + QStringLiteral("/Contents/MacOS/") + name, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(bundle + QStringLiteral("/Contents/MacOS/") + name,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        page.append(QJsonObject{
            {QStringLiteral("application"),
             QJsonObject{{QStringLiteral("_0"), QString::fromStdString(fixtureID(name))}}}});
    }
    const QString config = home + QStringLiteral("/.config");
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    {
        DefaultsStore store(DefaultsStore::domainFilePath(QStringLiteral("orbitdeck")));
        const QByteArray layout =
            QJsonDocument(QJsonObject{{QStringLiteral("items"), page},
                                      {QStringLiteral("folders"), QJsonArray{}}})
                .toJson(QJsonDocument::Compact);
        ASSERT_TRUE(store.setValues({
            {QStringLiteral("ambergrid.onboarded.v1"), true},
            {QStringLiteral("ambergrid.systemUtilitiesSeeded.v1"), true},
            {QStringLiteral("orbitdeck.migrated.v1"), true},
            {QStringLiteral("ambergrid.columns"), qint64(4)},
            {QStringLiteral("ambergrid.rows"), qint64(2)},
            {QStringLiteral("ambergrid.effects"), QStringLiteral("reduced")},
            {QStringLiteral("ambergrid.wallpaper"), false},
            {QStringLiteral("ambergrid.menuBarIcon"), false},
            {QStringLiteral("ambergrid.library.layout.v1"), layout},
        }));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    // No desktop entries of the machine's own.
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), home + QStringLiteral("/usr/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    // One launcher per session: a private runtime folder and no session bus keep this one from
    // handing over to a launcher that runs elsewhere on the machine.
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.insert(QStringLiteral("ORBITDECK_STATE_REPORT"), reportPath_);
    environment.insert(QStringLiteral("AMBERGRID_TEST_DEFAULTS"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    app_.setProcessEnvironment(environment);
    app_.setProcessChannelMode(QProcess::ForwardedChannels);
    app_.start(qEnvironmentVariable("ORBITDECK_EXECUTABLE"), {});
    ASSERT_TRUE(app_.waitForStarted(10000));
    waitForItem(cellName(names.first()));
}

QJsonObject ArrangingApp::report() const {
    QFile file(reportPath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

std::optional<QRect> ArrangingApp::itemRect(const QString& objectName) const {
    return rectIn(report(), objectName);
}

QRect ArrangingApp::waitForSettledItem(const QString& objectName) {
    // A jiggling tile moves by a point or so; anything gliding or growing moves more.
    const auto close = [](const QRect& a, const QRect& b) {
        return std::abs(a.x() - b.x()) <= 3 && std::abs(a.y() - b.y()) <= 3 &&
               std::abs(a.width() - b.width()) <= 3 && std::abs(a.height() - b.height()) <= 3;
    };
    // The report is only rewritten after a drawn frame, and a loaded machine draws few: two reads
    // of the same file say nothing about motion. Compare rectangles of two different reports, or
    // accept one report that stays unchanged for a while (nothing is being drawn at all).
    QByteArray lastBytes;
    std::optional<QRect> last;
    std::optional<QRect> rect;
    QElapsedTimer unchanged;
    unchanged.start();
    const bool settled = waitUntil([&] {
        QFile file(reportPath_);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (bytes.isEmpty())
            return false;
        if (bytes == lastBytes)
            return rect && unchanged.elapsed() >= 1500;
        lastBytes = bytes;
        unchanged.restart();
        last = std::exchange(rect, rectIn(QJsonDocument::fromJson(bytes).object(), objectName));
        return rect && last && close(*rect, *last);
    });
    EXPECT_TRUE(settled) << "no settled item " << objectName.toStdString();
    return rect.value_or(QRect());
}

QRect ArrangingApp::waitForItem(const QString& objectName) {
    std::optional<QRect> rect;
    const bool found = waitUntil([&] { return (rect = itemRect(objectName)).has_value(); });
    EXPECT_TRUE(found) << "no item " << objectName.toStdString();
    if (!found) {
        screenshot(QStringLiteral("missing-item"));
        QFile::remove(QStringLiteral("/tmp/arranging-report.json"));
        QFile::copy(reportPath_, QStringLiteral("/tmp/arranging-report.json"));
    }
    return rect.value_or(QRect());
}

bool ArrangingApp::reportsView(const char* property, const QJsonValue& value) const {
    return report()
               .value(QStringLiteral("window"))
               .toObject()
               .value(QStringLiteral("view"))
               .toObject()
               .value(QLatin1String(property)) == value;
}

QJsonValue ArrangingApp::statePath(const QStringList& path) const {
    QJsonValue value = report().value(QStringLiteral("state"));
    for (const QString& key : path)
        value = value.toObject().value(key);
    return value;
}

ArrangingApp::StoredLayout ArrangingApp::storedLayout() const {
    DefaultsStore store(DefaultsStore::domainFilePath(QStringLiteral("orbitdeck")));
    const QJsonObject layout =
        QJsonDocument::fromJson(
            store.dataValue(QStringLiteral("ambergrid.library.layout.v1")).value_or(QByteArray()))
            .object();
    StoredLayout stored{.items = itemKeys(layout.value(QStringLiteral("items")).toArray()),
                        .folders = {},
                        .names = {}};
    for (const QJsonValue& value : layout.value(QStringLiteral("folders")).toArray()) {
        const QJsonObject folder = value.toObject();
        const QString id = folder.value(QStringLiteral("id"))
                               .toObject()
                               .value(QStringLiteral("rawValue"))
                               .toString();
        stored.folders[id] = itemKeys(folder.value(QStringLiteral("items")).toArray());
        stored.names[id] = folder.value(QStringLiteral("name")).toString();
    }
    return stored;
}

void ArrangingApp::press(QPoint at) {
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
}

void ArrangingApp::glide(QPoint from, QPoint to, int steps) {
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + (to - from) * step / steps;
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        QCoreApplication::processEvents();
        QThread::msleep(30);
    }
}

void ArrangingApp::release() {
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

void ArrangingApp::longPressAndLift(QPoint at) {
    press(at);
    const bool arranging = waitUntil([&] { return reportsView("arranging", true); });
    EXPECT_TRUE(arranging) << "no arranging after a long press at " << at.x() << "," << at.y();
    if (!arranging) {
        screenshot(QStringLiteral("no-long-press"));
        QFile::remove(QStringLiteral("/tmp/arranging-report.json"));
        QFile::copy(reportPath_, QStringLiteral("/tmp/arranging-report.json"));
    }
}

void ArrangingApp::click(QPoint at) {
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

void ArrangingApp::pressKey(const char* name) {
    xdotool({QStringLiteral("key"), QString::fromLatin1(name)});
}

void ArrangingApp::type(const QString& text) {
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

void ArrangingApp::screenshot(const QString& name) const {
    const QString directory = qEnvironmentVariable("ORBITDECK_SCREENS_DIR");
    if (directory.isEmpty())
        return;
    QDir().mkpath(directory);
    // The software renderer under Xvfb draws some frames behind the scene; give it time.
    QThread::msleep(1200);
    QFile::copy(reportPath_, directory + QLatin1Char('/') + name + QStringLiteral(".json"));
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"),
                       directory + QLatin1Char('/') + name + QStringLiteral(".png")});
}

} // namespace orbitdeck::testing
