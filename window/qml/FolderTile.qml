pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.Views

// A folder: the first nine applications as a 3 x 3 preview on a frosted rounded square, and
// its name below.
Item {
    id: folder
    property string folderId
    property string name
    property list<string> previewIcons // up to nine icon URLs, hidden and missing apps skipped
    property real size: 62
    property real tileHeight: 96
    property bool showsLabel: true
    property color ink: "white"
    property bool pressed: false
    property bool pressAnimates: true

    objectName: "library-folder-" + folderId
    height: tileHeight
    Accessible.name: name
    Accessible.role: Accessible.Button

    Column {
        anchors.centerIn: parent
        width: parent.width
        spacing: 3
        opacity: folder.pressed ? 0.86 : 1
        scale: folder.pressed && folder.pressAnimates ? 0.94 : 1
        Behavior on scale {
            enabled: folder.pressAnimates
            NumberAnimation { duration: 220; easing.type: Easing.OutBack; easing.overshoot: 1.2 }
        }

        Rectangle {
            id: square
            width: folder.size
            height: folder.size
            anchors.horizontalCenter: parent.horizontalCenter
            radius: 0.24 * folder.size
            color: Qt.rgba(folder.ink.r, folder.ink.g, folder.ink.b, 0.1 + 0.08)
            border.width: 0.5
            border.color: Qt.rgba(folder.ink.r, folder.ink.g, folder.ink.b, 0.14)

            Grid {
                id: preview
                columns: 3
                readonly property real gap: 0.05 * folder.size
                readonly property real cell: (folder.size - 2 * 0.12 * folder.size - 2 * gap) / 3
                columnSpacing: gap
                rowSpacing: gap
                x: 0.12 * folder.size
                y: 0.12 * folder.size
                Repeater {
                    model: folder.previewIcons.slice(0, 9)
                    Image {
                        required property string modelData
                        required property int index
                        objectName: "library-folder-preview-" + folder.folderId + "-" + index
                        width: preview.cell
                        height: preview.cell
                        source: modelData
                        sourceSize: LibraryGridMath.pixelSize(preview.cell * 2, preview.cell * 2)
                        fillMode: Image.PreserveAspectFit
                        smooth: true
                        mipmap: true
                    }
                }
            }
        }
        Text {
            width: parent.width
            height: implicitHeight
            opacity: folder.showsLabel ? 1 : 0
            text: folder.name
            textFormat: Text.PlainText
            font.pixelSize: folder.tileHeight < 65 ? 10 : 11
            font.weight: Font.Medium
            elide: Text.ElideRight
            maximumLineCount: 1
            horizontalAlignment: Text.AlignHCenter
            color: folder.ink
        }
    }
}
