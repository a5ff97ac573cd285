import QtQuick 2.15
import QtQuick.Controls 2.15

// A drop-down list of {title, value} entries for the advanced screen. Two signals tell
// apart why the selection changed:
//  - changed(): any change of the selected entry, whether the operator picked it, the
//    list was rebuilt, or the screen selected it from a device reply;
//  - picked(): the operator chose an entry (also when it is the one already shown).
// Rebuilding keeps the selection when it still fits the new list. A list that starts
// with nothing selected (startEmpty) stays so until something selects an entry.
ComboBox {
    id: control
    width: 200
    height: 25
    font.pixelSize: 13
    topPadding: 0
    bottomPadding: 0
    textRole: "title"
    valueRole: "value"
    model: []

    // Drawn rather than the stock image: a picture that a hidden list never shows is
    // left behind in the pixmap cache.
    indicator: Text {
        x: control.width - width - 8
        height: control.height
        text: "\u25BE"
        font.pixelSize: 16
        color: control.enabled ? "#353637" : "#a0a0a0"
        verticalAlignment: Text.AlignVCenter
    }

    // Plain text: the stock editor clips the underscores of the mode names.
    contentItem: Text {
        leftPadding: 10
        rightPadding: control.indicator ? control.indicator.width : 0
        text: control.displayText
        font: control.font
        color: control.enabled ? "black" : "#8a8a8a"
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    property bool startEmpty: false
    // The value of the selected entry; undefined when none is selected.
    readonly property var value: valueAt(currentIndex)

    property bool _rebuilding: false
    property int _lastIndex: -1
    property var _lastValue: undefined

    signal changed(int index, var value)
    signal picked(int index, var value)

    function valueAt(i) {
        var list = control.model
        if (!list || i < 0 || i >= list.length)
            return undefined
        return list[i].value
    }
    function indexOfValue(v) {
        var list = control.model
        for (var i = 0; list && i < list.length; ++i) {
            if (list[i].value === v)
                return i
        }
        return -1
    }

    function setEntries(list) {
        var keep = currentIndex
        _rebuilding = true
        control.model = list
        if (keep >= 0 && keep < list.length)
            currentIndex = keep
        else if (startEmpty && _lastIndex < 0)
            currentIndex = -1
        else
            currentIndex = list.length > 0 ? 0 : -1
        _rebuilding = false
        _report()
    }
    // Selects by position, as the screen does from a device's value.
    function select(i) {
        currentIndex = i
    }

    function _report() {
        var v = valueAt(currentIndex)
        if (currentIndex === _lastIndex && v === _lastValue)
            return
        _lastIndex = currentIndex
        _lastValue = v
        changed(currentIndex, v)
    }

    onCurrentIndexChanged: {
        if (!_rebuilding)
            _report()
    }
    onActivated: picked(index, valueAt(index))
}
