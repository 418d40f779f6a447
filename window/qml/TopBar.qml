import QtQuick
import Orbitdeck.State

// The row above the grid: brand, search field, toolbar.
Item {
    id: bar
    property alias search: searchField
    property string skin: "night"
    property bool fullScreen: false
    property int appIcon: Setting.AppIconStyle.midnight
    property bool arranging: false
    property bool reduceMotion: false
    property string query: ""
    property TextLookup texts: null        // the interface language
    function tr(key: string): string { return texts ? texts.t(key) : key }

    signal queryEdited(string text)
    signal submitted()
    signal doneClicked()
    signal settingsClicked()
    signal fullScreenClicked()

    implicitHeight: Math.max(searchField.height, brand.implicitHeight, tools.implicitHeight)

    BrandHeader {
        id: brand
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        title: bar.tr("Orbitdeck")
        skin: bar.skin
        fullScreen: bar.fullScreen
        appIcon: bar.appIcon
    }
    SearchField {
        id: searchField
        anchors.centerIn: parent
        query: bar.query
        compact: bar.fullScreen
        placeholder: bar.tr("Search")
        clearLabel: bar.tr("Clear search")
        light: bar.skin === "paper"
        reduceMotion: bar.reduceMotion
        onEdited: text => bar.queryEdited(text)
        onSubmitted: bar.submitted()
    }
    Toolbar {
        id: tools
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        arranging: bar.arranging
        fullScreen: bar.fullScreen
        skin: bar.skin
        texts: bar.texts
        onDoneClicked: bar.doneClicked()
        onSettingsClicked: bar.settingsClicked()
        onFullScreenClicked: bar.fullScreenClicked()
    }
}
