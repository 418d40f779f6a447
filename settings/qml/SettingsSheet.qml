pragma ComponentBehavior: Bound
import QtQuick
import Orbitdeck.State
import QtQuick.Controls.Basic
import Orbitdeck.Views
import Orbitdeck.Settings

// The settings sheet over the launcher window: a sidebar with the tabs, a header with the tab's
// title and "Done", and the selected tab's page below, made when its tab is shown.
FocusScope {
    id: sheet
    property AmbergridWindow win: null
    property L lang: null

    readonly property SettingsSheetModel model: sheetModel
    readonly property WindowSettings settings: sheetModel.settings
    readonly property int tab: sheetModel.sheetSettings ? sheetModel.sheetSettings.tab
                                                        : Setting.LibraryAppearanceTab.general
    readonly property alias theme: sheetTheme
    // The shown tab's page.
    property Item page: null

    function tr(key: string): string { return sheetTheme.tr(key) }
    function chooseTab(tab: int) { if (sheetModel.sheetSettings) sheetModel.sheetSettings.tab = tab }

    SettingsSheetModel { id: sheetModel; window: sheet.win }
    SheetTheme {
        id: sheetTheme
        skin: sheet.settings ? ViewServices.resolvedSkin(sheet.settings.skin, ViewServices.desktopRevision) : "night"
        lang: sheet.lang
        motion: sheet.settings ? sheet.settings.motionAllowed : true
    }

    focus: true
    Keys.onEscapePressed: sheetModel.close()
    // "Done" is the default action.
    Keys.onReturnPressed: sheetModel.close()
    Keys.onEnterPressed: sheetModel.close()
    Component.onCompleted: forceActiveFocus()

    // Dims the window and keeps pointer input from the grid below.
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, sheetTheme.dark ? 0.45 : 0.25)
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onWheel: wheel => wheel.accepted = true
        }
    }

    Rectangle {
        id: panel
        objectName: "settings-panel"
        anchors.centerIn: parent
        width: 780
        height: 580
        // A window smaller than the sheet shows all of it, scaled down.
        scale: Math.min(1, (sheet.width - 16) / width, (sheet.height - 16) / height)
        radius: 12
        color: sheetTheme.background
        border.width: 0.5
        border.color: sheetTheme.primaryAt(0.15)
        clip: true
        Accessible.role: Accessible.Dialog
        Accessible.name: sheet.tr("Settings")

        SettingsSidebar {
            id: sidebar
            anchors { top: parent.top; bottom: parent.bottom; left: parent.left; margins: 0.5 }
            theme: sheetTheme
            tab: sheet.tab
            versionLine: sheetModel.versionLine
            appIcon: sheet.settings ? sheet.settings.appIcon : Setting.AppIconStyle.midnight
            onTabChosen: tab => sheet.chooseTab(tab)
        }
        Rectangle {
            id: divider
            anchors { top: parent.top; bottom: parent.bottom; left: sidebar.right }
            width: 0.5
            color: sheetTheme.primaryAt(0.08)
        }
        Item {
            id: header
            anchors { top: parent.top; left: divider.right; right: parent.right }
            height: 22 + title.implicitHeight + 14
            Text {
                id: title
                objectName: "settings-title"
                x: 26
                y: 22
                text: sheet.tr(sidebar.tabs.find(entry => entry.tab === sheet.tab).title)
                font.pixelSize: 22
                font.bold: true
                color: sheetTheme.primary
            }
            Button {
                id: done
                objectName: "settings-done"
                anchors { right: parent.right; rightMargin: 26; verticalCenter: title.verticalCenter }
                text: sheet.tr("Done")
                font.pixelSize: 13
                implicitHeight: 24
                leftPadding: 14
                rightPadding: 14
                onClicked: sheetModel.close()
                contentItem: Text {
                    text: done.text
                    font: done.font
                    color: sheetTheme.dark ? "black" : "white"
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    radius: 6
                    color: done.down ? Qt.darker(sheetTheme.accent, 1.15) : sheetTheme.accent
                }
            }
        }
        Flickable {
            id: scroller
            objectName: "settings-scroll"
            anchors { top: header.bottom; bottom: parent.bottom; left: divider.right; right: parent.right }
            contentWidth: width
            contentHeight: pageArea.height + 26
            clip: true
            boundsBehavior: contentHeight > height ? Flickable.DragAndOvershootBounds : Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                visible: scroller.contentHeight > scroller.height
                policy: ScrollBar.AlwaysOn
            }

            Item {
                id: pageArea
                x: 26
                width: scroller.width - 52
                height: sheet.page ? sheet.page.implicitHeight : 0
                // The page of the stored tab, made while it is shown (a repeater rather than a
                // loader: it makes the page in the sheet's own context); a tab without a page
                // shows nothing.
                Repeater {
                    id: pageMaker
                    model: pageMaker.delegate ? 1 : 0
                    delegate: ({ [Setting.LibraryAppearanceTab.general]: generalPage,
                                 [Setting.LibraryAppearanceTab.shortcuts]: shortcutsPage,
                                 [Setting.LibraryAppearanceTab.grid]: gridPage,
                                 [Setting.LibraryAppearanceTab.appearance]: appearancePage,
                                 [Setting.LibraryAppearanceTab.organize]: organizePage })[sheet.tab] ?? null
                    onItemAdded: (index, made) => {
                        sheet.page = made
                        scroller.contentY = 0
                    }
                    onItemRemoved: (index, made) => {
                        if (sheet.page === made)
                            sheet.page = null
                    }
                }
            }
        }
    }

    // "Ungroup all folders?": made while asked; it takes the keys, so Escape and Return answer
    // it rather than closing the sheet. Either answer ends it, and the sheet has the keys again.
    Repeater {
        model: sheetModel.confirmUngroup ? 1 : 0
        delegate: LibraryAlert {
            anchors.fill: parent
            objectName: "settings-ungroup-confirmation"
            skin: sheetTheme.skin
            title: sheet.tr("Ungroup all folders?")
            message: sheet.tr("Apps will return to the main grid.")
            buttons: [{name: "ungroup", title: sheet.tr("Ungroup all folders"), role: "destructive"},
                      {name: "cancel", title: sheet.tr("Cancel"), role: "cancel"}]
            // Answered once the alert's own click has finished.
            onChosen: name => {
                answer.name = name
                answer.restart()
            }
        }
    }
    Timer {
        id: answer
        property string name
        interval: 0
        onTriggered: {
            sheetModel.confirmUngroup = false
            sheet.forceActiveFocus()
            if (name === "ungroup")
                sheetModel.organize("ungroup")
        }
    }

    Component { id: generalPage; GeneralTab { model: sheetModel; theme: sheetTheme; width: pageArea.width } }
    Component { id: shortcutsPage; ShortcutsTab { model: sheetModel; theme: sheetTheme; width: pageArea.width } }
    Component { id: gridPage; GridTab { model: sheetModel; theme: sheetTheme; width: pageArea.width } }
    Component { id: appearancePage; AppearanceTab { model: sheetModel; theme: sheetTheme; width: pageArea.width } }
    Component { id: organizePage; OrganizeTab { model: sheetModel; theme: sheetTheme; width: pageArea.width } }
}
