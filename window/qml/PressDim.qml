import QtQuick
import Qt5Compat.GraphicalEffects

// A pressed tile's face, its brightness lowered by 0.04 (a layer effect).
BrightnessContrast {
    brightness: -0.04
}
