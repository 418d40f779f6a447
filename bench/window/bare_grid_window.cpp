// The baseline: a plain Qt Quick window, the launcher's size, with a GridView of the given
// icons. Touches the marker file at the first frame that shows every visible icon.
#include <QFile>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTextStream>

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
                source: modelData; sourceSize: Qt.size(72, 72)
                onStatusChanged: if (status === Image.Ready) ready += 1
            }
            Text { width: parent.width; text: "App " + index; color: "white"
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
    QStringList icons;
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    QTextStream in(&list);
    while (!in.atEnd())
        if (const QString line = in.readLine(); !line.isEmpty())
            icons << QStringLiteral("file://") + line;
    const QString marker = QString::fromLocal8Bit(argv[2]);

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("icons"), icons);
    engine.loadData(scene);
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [window, marker] {
        static bool written = false;
        if (written || !window->property("complete").toBool())
            return;
        written = true;
        QFile(marker).open(QIODevice::WriteOnly);
    });
    return QGuiApplication::exec();
}
