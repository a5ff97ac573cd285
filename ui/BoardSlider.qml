import QtQuick 2.15
import QtQuick.Controls 2.15

// One picture control row of a board half: label, slider, the value as an integer.
Item {
    id: row
    height: 30

    property string label: ""
    property alias from: slider.from
    property alias to: slider.to
    property alias value: slider.value
    property alias slider: slider
    property int labelWidth: 150
    property color fontColor: "white"

    // The operator (or a refill) moved the slider to value.
    signal changed(int value)
    // The operator let go of the slider.
    signal released()

    Text {
        width: row.labelWidth
        height: row.height
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        rightPadding: 10
        text: row.label
        color: row.fontColor
    }
    Slider {
        id: slider
        objectName: row.objectName + "Slider"
        x: row.labelWidth
        width: (row.width - row.labelWidth) * 2 / 3
        height: row.height
        stepSize: 1
        snapMode: Slider.SnapAlways
        onValueChanged: row.changed(Math.trunc(value))
        onPressedChanged: {
            if (!pressed)
                row.released()
        }
    }
    Text {
        objectName: row.objectName + "Value"
        x: slider.x + slider.width + 10
        height: row.height
        verticalAlignment: Text.AlignVCenter
        text: String(Math.trunc(slider.value))
        color: row.fontColor
    }
}
