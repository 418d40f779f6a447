// The baseline of the frame bench: a plain Qt Quick window of the launcher's size paging the given
// icons seven by five in cells of the launcher's size there: a horizontal ListView of pages
// whose cache buffer holds every page, so all are made before the first slide, as a Qt developer
// would keep a few hundred icons. The arrow keys slide a page in the time the launcher's page
// spring takes to settle; a drag across the page flicks it. The pages come after the first frame,
// as the launcher's library arrives after its window, so both fill their first page in a frame's
// polish; the other pages are made in the frames after it.
#include "../support/icon_scene.h"
#include "window/qml/frame_times.h"

#include <QGuiApplication>

namespace {

const char* const scene = R"(
import QtQuick
Window {
    width: 1920; height: 1080; visible: true; color: "#101828"; title: "Baseline"
    Component.onCompleted: requestActivate()
    // The pages after the first frame; the cache of every page after the first page shows.
    onFrameSwapped: {
        if (pageList.count === 0) {
            for (let page = 0; page < Math.ceil(icons.length / 35); ++page)
                pageList.append({})
        } else if (pages.cacheBuffer === 0) {
            pages.cacheBuffer = pages.width * pageList.count
        }
    }
    ListModel { id: pageList }
    ListView {
        id: pages
        anchors.fill: parent
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        highlightRangeMode: ListView.StrictlyEnforceRange
        highlightMoveDuration: 575
        boundsBehavior: Flickable.StopAtBounds
        cacheBuffer: 0
        focus: true
        model: pageList
        Keys.onRightPressed: incrementCurrentIndex()
        Keys.onLeftPressed: decrementCurrentIndex()
        delegate: Item {
            required property int index
            width: pages.width; height: pages.height
            Grid {
                anchors.centerIn: parent
                columns: 7; columnSpacing: 18; rowSpacing: 14
                Repeater {
                    model: icons.slice(index * 35, index * 35 + 35)
                    Column {
                        required property var modelData
                        width: 108; height: 108; spacing: 4
                        Image {
                            width: 74; height: 74; anchors.horizontalCenter: parent.horizontalCenter
                            source: modelData.icon; sourceSize: Qt.size(74, 74)
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
    QQmlApplicationEngine engine;
    QQuickWindow* window = loadIconScene(engine, argv[1], scene);
    if (!window)
        return 1;
    orbitdeck::FrameTimes::installIfAsked(window);
    return QGuiApplication::exec();
}
