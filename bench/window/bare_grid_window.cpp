// The baseline: a plain Qt Quick window, the launcher's size, with a GridView of the given
// icons under the same display names the launcher shows (so both lay out the same scripts and
// load the same fonts, CJK included). At the first frame that shows every visible icon it
// writes that frame's CLOCK_MONOTONIC time in milliseconds to the marker file, as the
// launcher's state report does for its frames.
#include "../support/icon_scene.h"
#include <QFile>
#include <QGuiApplication>

#include <chrono>

namespace {

const char* const scene = R"(
import QtQuick
Window {
    width: 1040; height: 680; visible: true; color: "#101828"; title: "Baseline"
    property int ready: 0
    readonly property bool complete: grid.count > 0 && ready >= Math.min(grid.count, 35)
    GridView {
        id: grid
        anchors.fill: parent; anchors.margins: 90
        cellWidth: 123; cellHeight: 110
        model: icons
        delegate: Column {
            width: 123; spacing: 3
            Image {
                width: 72; height: 72; anchors.horizontalCenter: parent.horizontalCenter
                source: modelData.icon; sourceSize: Qt.size(72, 72)
                onStatusChanged: if (status === Image.Ready) ready += 1
            }
            Text { width: parent.width; text: modelData.name; color: "white"
                   horizontalAlignment: Text.AlignHCenter; elide: Text.ElideRight }
        }
    }
}
)";

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString marker = QString::fromLocal8Bit(argv[2]);
    QQmlApplicationEngine engine;
    QQuickWindow* window = loadIconScene(engine, argv[1], scene);
    if (!window)
        return 1;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [window, marker] {
        static bool written = false;
        if (written || !window->property("complete").toBool())
            return;
        const double swapMs = std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count();
        written = true;
        QFile file(marker);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::number(swapMs, 'f', 3));
    });
    return QGuiApplication::exec();
}
