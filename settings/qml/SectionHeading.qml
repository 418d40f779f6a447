import QtQuick

// The heading above a card: small, upper case, secondary; it sits 10 above its card.
Text {
    property SheetTheme theme
    property string key

    text: theme.tr(key)
    font.pixelSize: 11
    font.weight: Font.DemiBold
    font.capitalization: Font.AllUppercase
    font.letterSpacing: 0.4
    color: theme.secondary
    leftPadding: 6
    rightPadding: 6
    // The panel's 18 of spacing less 8: the heading belongs to the card below it.
    height: implicitHeight - 8
}
