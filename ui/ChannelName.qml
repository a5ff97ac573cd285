import QtQuick 2.15
import "ChannelNames.js" as Names

// Naming screen: names of the inputs, outputs and scenes, kept in the settings object
// under "in", "out" and "sence" and stored in the settings file.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false

    readonly property int sceneCount: 16
    // The window's look; the main window may hand its own values down.
    property color fontColor: "white"
    property color editorColor: "#E0E0E0"

    ListModel {
        id: inputModel
    }
    ListModel {
        id: outputModel
    }
    ListModel {
        id: sceneModel
    }

    function fillList(model, member, count) {
        var names = Names.namesMember(appContext.setting, member)
        var n = Math.max(0, count)
        if (model.count > n)
            model.remove(n, model.count - n)
        for (var i = 1; i <= n; ++i) {
            var entry = { "number": i, "key": Names.threeDigitKey(i), "name": Names.nameOf(names, i) }
            if (i <= model.count)
                model.set(i - 1, entry)
            else
                model.append(entry)
        }
    }

    function rebuildInputs() {
        fillList(inputModel, "in", appContext.inChannels)
        inputBox.generation++
    }
    function rebuildOutputs() {
        fillList(outputModel, "out", appContext.outChannels)
        outputBox.generation++
    }
    function rebuildScenes() {
        fillList(sceneModel, "sence", sceneCount)
        sceneBox.generation++
    }
    function rebuildAll() {
        rebuildInputs()
        rebuildOutputs()
        rebuildScenes()
    }

    // Writes the box's names into its member of the settings object; keys the list
    // does not cover keep their names.
    function saveList(model, member) {
        var setting = appContext.setting
        if (!setting || typeof setting !== "object")
            setting = {}
        var names = setting[member]
        if (!names || typeof names !== "object" || Array.isArray(names))
            names = {}
        for (var i = 0; i < model.count; ++i) {
            var entry = model.get(i)
            names[entry.key] = entry.name
        }
        setting[member] = names
        appContext.setting = setting
        appContext.saveSetting()
    }

    function defaultList(model, box) {
        for (var i = 0; i < model.count; ++i)
            model.setProperty(i, "name", String(model.get(i).number))
        box.generation++
    }

    onIsActiveChanged: {
        if (isActive)
            rebuildAll()
    }
    Component.onCompleted: rebuildAll()

    Connections {
        target: appContext
        function onInChannelsChanged() { root.rebuildInputs() }
        function onOutChannelsChanged() { root.rebuildOutputs() }
        function onSettingChanged() { root.rebuildAll() }
    }

    Column {
        x: 10
        y: 10
        width: root.width - 20
        spacing: 10

        NameBox {
            id: inputBox
            objectName: "inputNameBox"
            width: parent.width
            height: 200
            title: qsTr("Input Channel")
            titleHeight: 40
            saveText: qsTr("Save")
            clearText: qsTr("Clear")
            defaultText: qsTr("Default")
            editorColor: root.editorColor
            fontColor: root.fontColor
            model: inputModel
            onNameEdited: inputModel.setProperty(row, "name", text)
            onSaveClicked: root.saveList(inputModel, "in")
            onClearClicked: root.rebuildInputs()
            onDefaultClicked: root.defaultList(inputModel, inputBox)
        }

        NameBox {
            id: outputBox
            objectName: "outputNameBox"
            width: parent.width
            height: 200
            title: qsTr("Output Channel")
            saveText: qsTr("Save")
            clearText: qsTr("Clear")
            defaultText: qsTr("Default")
            editorColor: root.editorColor
            fontColor: root.fontColor
            model: outputModel
            onNameEdited: outputModel.setProperty(row, "name", text)
            onSaveClicked: root.saveList(outputModel, "out")
            onClearClicked: root.rebuildOutputs()
            onDefaultClicked: root.defaultList(outputModel, outputBox)
        }

        NameBox {
            id: sceneBox
            objectName: "sceneNameBox"
            width: parent.width
            height: 200
            title: qsTr("Scene")
            saveText: qsTr("Save")
            clearText: qsTr("Clear")
            defaultText: qsTr("Default")
            editorColor: root.editorColor
            fontColor: root.fontColor
            model: sceneModel
            onNameEdited: sceneModel.setProperty(row, "name", text)
            onSaveClicked: root.saveList(sceneModel, "sence")
            onClearClicked: root.rebuildScenes()
            onDefaultClicked: root.defaultList(sceneModel, sceneBox)
        }
    }
}
