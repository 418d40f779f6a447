// The baseline of the frame bench: a plain Qt Quick window of the launcher's size paging the given
// icons seven by five, as the launcher's grid does at that size: a horizontal ListView of pages
// that the arrow keys slide (the launcher's 420 ms ease) and a drag across the page moves.
#include "../support/icon_list.h"
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

namespace {

const char* const scene = R"(
import QtQuick
Window {
    width: 1920; height: 1080; visible: true; color: "#101828"; title: "Baseline"
    Component.onCompleted: requestActivate()
    ListView {
        id: pages
        anchors.fill: parent
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        highlightRangeMode: ListView.StrictlyEnforceRange
        highlightMoveDuration: 420
        boundsBehavior: Flickable.StopAtBounds
        focus: true
        model: Math.ceil(icons.length / 35)
        Keys.onRightPressed: incrementCurrentIndex()
        Keys.onLeftPressed: decrementCurrentIndex()
        delegate: Item {
            required property int index
            width: pages.width; height: pages.height
            Grid {
                anchors.centerIn: parent
                columns: 7; columnSpacing: 28; rowSpacing: 20
                Repeater {
                    model: icons.slice(index * 35, index * 35 + 35)
                    Column {
                        required property var modelData
                        width: 170; spacing: 6
                        Image {
                            width: 112; height: 112; anchors.horizontalCenter: parent.horizontalCenter
                            source: modelData.icon; sourceSize: Qt.size(112, 112)
                            asynchronous: true
                        }
                        Text { width: parent.width; text: modelData.name; color: "white"
                               horizontalAlignment: Text.AlignHCenter; elide: Text.ElideRight }
                    }
                }
            }
        }
    }
}
)";

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const std::optional<QVariantList> icons = readIconList(QString::fromLocal8Bit(argv[1]));
    if (!icons)
        return 2;
    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("icons"), *icons);
    engine.loadData(scene);
    return engine.rootObjects().isEmpty() ? 1 : QGuiApplication::exec();
}
