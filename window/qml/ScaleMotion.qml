import QtQuick

// The eased scale change of a drop target, made at its first use.
NumberAnimation {
    property: "scale"
    duration: 180
    easing.type: Easing.OutCubic
}
