import QtQuick 2.15
import QtQuick.Controls 2.15
import "ChannelNames.js" as Names

// Scene screen: store, recall and default the device's 16 scenes, and run its scene
// loop over a chosen sequence with an interval in seconds.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false
    // The window's look; the main window may hand its own values down.
    property color fontColor: "white"
    property int rowHeight: 25

    readonly property int sceneCount: 16
    readonly property int tileHeight: 55
    readonly property int buttonColumnWidth: 150
    // Seconds between scenes of the loop; kept for the whole run.
    property int loopInterval: 10
    // Number of scenes in the loop.
    property int loopCount: 0
    // Number of the selected scene of the scene box, 0 when none.
    property int selectedScene: 0
    // Scenes stored from this panel since it started (the device does not say which
    // scenes hold something).
    property var storedScenes: ({})

    ListModel {
        id: sceneModel
    }
    ListModel {
        id: loopModel
    }

    function rebuild() {
        var names = Names.namesMember(appContext.setting, "sence")
        var entries = []
        for (var i = 1; i <= sceneCount; ++i)
            entries.push({ "number": i, "key": Names.threeDigitKey(i), "name": Names.nameOf(names, i),
                           "active": false, "order": 0 })
        // Updated in place once the tiles exist, so that they keep their places.
        for (var k = 0; k < entries.length; ++k) {
            if (k < sceneModel.count)
                sceneModel.set(k, entries[k])
            else
                sceneModel.append(entries[k])
            if (k < loopModel.count)
                loopModel.set(k, entries[k])
            else
                loopModel.append(entries[k])
        }
        selectedScene = 0
        loopCount = 0
    }

    function selectScene(row) {
        if (row < 0 || row >= sceneModel.count)
            return
        for (var i = 0; i < sceneModel.count; ++i)
            sceneModel.setProperty(i, "active", i === row)
        selectedScene = row + 1
    }

    // Adding puts the scene at the end of the loop; removing closes the gap it leaves.
    function toggleLoop(row) {
        if (row < 0 || row >= loopModel.count)
            return
        var entry = loopModel.get(row)
        if (!entry.active) {
            loopCount = loopCount + 1
            loopModel.setProperty(row, "order", loopCount)
            loopModel.setProperty(row, "active", true)
            return
        }
        var removed = entry.order
        for (var i = 0; i < loopModel.count; ++i) {
            var o = loopModel.get(i).order
            if (o > removed)
                loopModel.setProperty(i, "order", o - 1)
        }
        loopModel.setProperty(row, "order", 0)
        loopModel.setProperty(row, "active", false)
        loopCount = loopCount - 1
    }

    function loopScenes() {
        var members = []
        for (var i = 0; i < loopModel.count; ++i) {
            var e = loopModel.get(i)
            if (e.active)
                members.push({ "number": e.number, "order": e.order })
        }
        members.sort(function (a, b) { return a.order - b.order })
        return members.map(function (m) { return m.number })
    }

    // Storing over a scene that has a name or was stored before asks first.
    function store() {
        if (selectedScene <= 0)
            return
        var names = Names.namesMember(appContext.setting, "sence")
        var key = Names.threeDigitKey(selectedScene)
        var named = Object.prototype.hasOwnProperty.call(names, key) && String(names[key]) !== ""
        if (named || storedScenes[selectedScene]) {
            var scene = selectedScene
            var what = named ? qsTr("Scene %1 (\"%2\")").arg(scene).arg(names[key]) : qsTr("Scene %1").arg(scene)
            confirm.action = "store"
            confirm.scene = scene
            confirm.ask(qsTr("Store scene"),
                        qsTr("%1 already holds a stored routing. Storing replaces it with the routing the outputs show now; the routing it holds is lost.").arg(what)
                        + "\n\n" + qsTr("Store over it?"))
            return
        }
        storeNow(selectedScene)
    }
    function storeNow(scene) {
        appContext.sendCmd_SaveSence(scene)
        var stored = storedScenes
        stored[scene] = true
        storedScenes = stored
    }
    // "Default" erases every stored scene on the device and opens every output.
    function resetScenes() {
        confirm.action = "default"
        confirm.ask(qsTr("Default"),
                    qsTr("Default erases all 16 scenes stored on the device, routes every output from its own input and switches every output on. This cannot be undone.")
                    + "\n\n" + qsTr("Erase the stored scenes?"))
    }

    ConfirmDialog {
        id: confirm
        objectName: "sceneConfirm"
        // What "Yes" does: "store" (the scene below) or "default".
        property string action: ""
        property int scene: 0
        onConfirmed: {
            if (action === "store") {
                root.storeNow(scene)
            } else if (action === "default") {
                appContext.sendCmd_SenceDefault()
                root.storedScenes = ({})
            }
            action = ""
        }
        onRejected: action = ""
    }
    function recall() {
        if (selectedScene > 0)
            appContext.sendCmd_CallSence(selectedScene)
    }
    function loopStart() {
        var keys = loopScenes()
        if (keys.length === 0)
            return
        appContext.sendCmd_SetSenceLoopEN(keys, intervalBox.value)
    }

    onIsActiveChanged: {
        if (isActive)
            rebuild()
    }
    Component.onCompleted: rebuild()

    Item {
        id: area
        x: 10
        y: 10
        width: root.width - root.buttonColumnWidth - 20
        height: root.height - 20

        readonly property real boxWidth: Math.min(width, 900)
        readonly property real tileWidth: (boxWidth - 20) / 4 - 5

        Rectangle {
            id: sceneBox
            objectName: "sceneBox"
            x: (area.width - width) / 2
            width: area.boxWidth
            height: root.sceneCount / 4 * (root.tileHeight + 10) + 35
            color: "transparent"
            border.width: 1
            border.color: "grey"

            Text {
                width: parent.width
                height: 30
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Scene")
                font.pixelSize: 15
                color: root.fontColor
            }

            Grid {
                x: 10
                y: 30
                columns: 4
                spacing: 5

                Repeater {
                    model: sceneModel
                    delegate: TChannel {
                        objectName: "sceneTile" + model.number
                        width: area.tileWidth
                        height: root.tileHeight
                        channelId: String(model.number)
                        channelName: model.name
                        isActive: model.active
                        onClicked: root.selectScene(index)
                    }
                }
            }
        }

        Rectangle {
            id: loopBox
            objectName: "loopBox"
            x: (area.width - width) / 2
            y: sceneBox.height + 5
            width: area.boxWidth
            height: Math.max(0, area.height - y)
            color: "transparent"
            border.width: 1
            border.color: "grey"

            Text {
                width: parent.width
                height: 30
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Loop")
                font.pixelSize: 15
                color: root.fontColor
            }

            Grid {
                x: 10
                y: 30
                columns: 4
                spacing: 5

                Repeater {
                    model: loopModel
                    delegate: TChannel {
                        objectName: "loopTile" + model.number
                        width: area.tileWidth
                        height: root.tileHeight
                        channelId: String(model.number)
                        channelName: model.name
                        isActive: model.active
                        onClicked: root.toggleLoop(index)
                    }
                }
            }

            Row {
                x: 10
                y: loopBox.height - 10 - height
                height: root.rowHeight
                spacing: 5

                Text {
                    width: 150
                    height: parent.height
                    horizontalAlignment: Text.AlignRight
                    verticalAlignment: Text.AlignVCenter
                    text: qsTr("Loop Intervel")
                    color: root.fontColor
                }

                SpinBox {
                    id: intervalBox
                    objectName: "intervalBox"
                    width: 130
                    height: parent.height
                    from: 1
                    to: 3600
                    value: root.loopInterval
                    editable: true
                    font.pixelSize: 12
                    // Text outside 1 to 3600 (or no number) is refused: the box keeps
                    // the value it had.
                    valueFromText: function (text, locale) {
                        var v = Number.fromLocaleString(locale, text)
                        if (isNaN(v) || v < from || v > to || Math.floor(v) !== v)
                            return value
                        return v
                    }
                    onValueModified: root.loopInterval = value
                }

                Text {
                    height: parent.height
                    verticalAlignment: Text.AlignVCenter
                    text: qsTr("S")
                    color: root.fontColor
                }
            }
        }
    }

    Column {
        x: root.width - root.buttonColumnWidth + (root.buttonColumnWidth - 100) / 2
        y: 20
        spacing: 20

        TButton {
            objectName: "defaultButton"
            text: qsTr("Default")
            onClicked: root.resetScenes()
        }
        TButton {
            objectName: "storeButton"
            text: qsTr("Store")
            onClicked: root.store()
        }
        TButton {
            objectName: "recallButton"
            text: qsTr("Recall")
            onClicked: root.recall()
        }
        TButton {
            objectName: "loopStartButton"
            text: qsTr("Loop Start")
            onClicked: root.loopStart()
        }
        TButton {
            objectName: "loopStopButton"
            text: qsTr("Loop Stop")
            onClicked: appContext.sendCmd_SetSenceLoopDis()
        }
    }
}
