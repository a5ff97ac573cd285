import QtQuick 2.15
import QtQuick.Controls 2.15

// Back-up and restore of the device configuration ("configTool"): the reading and
// sending with a progress bar and Cancel, the question about a file of another model,
// the differences between the device and the file with a check box per row and per
// area, and after Apply what the device reports for each row.
Popup {
    id: dialog
    objectName: "configDialog"
    parent: Overlay.overlay
    modal: true
    closePolicy: Popup.NoAutoClose
    width: parent ? Math.min(980, parent.width - 20) : 980
    // The whole height for a table, less for a message alone.
    height: Math.min(tableShown ? 660 : 300, parent ? parent.height - 20 : 660)
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    padding: 12

    // The controller, when the program has one (some screen tests do not).
    readonly property var tool: typeof configTool !== "undefined" ? configTool : null
    readonly property string stage: tool ? tool.stage : "idle"
    readonly property bool busy: stage === "reading" || stage === "applying"
    readonly property bool tableShown: stage === "review" || stage === "applying"
                                       || (stage === "done" && table.count > 0)
    readonly property int checkWidth: 34
    readonly property int itemWidth: 230
    readonly property int valueWidth: 230

    onStageChanged: {
        if (stage === "idle")
            close()
        else if (!opened)
            open()
    }

    // The file dialogs are made when first needed (see FileChooser.qml).
    property var saveChooser: null
    property var openChooser: null
    function chooser(existing) {
        var d = Qt.createComponent("FileChooser.qml").createObject(dialog, {
            selectExisting: existing,
            nameFilters: [qsTr("Configuration (*.json)"), qsTr("All files (*)")]
        })
        d.folder = d.shortcuts.home
        return d
    }
    function chooseBackup() {
        if (!tool)
            return
        if (!saveChooser) {
            saveChooser = chooser(false)
            saveChooser.chosen.connect(function(url) { dialog.tool.backup(String(url)) })
        }
        saveChooser.title = qsTr("Back up the device configuration to")
        saveChooser.open()
    }
    function chooseRestore() {
        if (!tool)
            return
        if (!openChooser) {
            openChooser = chooser(true)
            openChooser.chosen.connect(function(url) { dialog.tool.restore(String(url)) })
        }
        openChooser.title = qsTr("Restore the device configuration from")
        openChooser.open()
    }

    background: Rectangle {
        color: "#06365F"
        border.color: "lightgrey"
        radius: 5
    }

    component Cell: Text {
        color: "white"
        font.pixelSize: 13
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }

    contentItem: Item {
        Column {
            id: top
            width: parent.width
            spacing: 8

            Text {
                objectName: "configTitle"
                color: "white"
                font.pixelSize: 18
                text: dialog.tool && dialog.tool.restoring ? qsTr("Restore the device configuration")
                                                           : qsTr("Back up the device configuration")
            }

            Column {
                width: parent.width
                spacing: 4
                visible: dialog.busy
                Cell {
                    text: dialog.stage === "applying" ? qsTr("Sending the checked settings, then reading them back ...")
                                                      : qsTr("Reading the device ...")
                }
                ProgressBar {
                    objectName: "configProgress"
                    width: parent.width
                    from: 0
                    to: dialog.tool ? Math.max(1, dialog.tool.progressTotal) : 1
                    value: dialog.tool ? dialog.tool.progressDone : 0
                }
                Cell {
                    width: parent.width
                    color: "#C0D8F0"
                    text: dialog.tool ? dialog.tool.progressText : ""
                }
            }

            Text {
                objectName: "configMessage"
                width: parent.width
                visible: text !== ""
                wrapMode: Text.WordWrap
                color: "white"
                font.pixelSize: 14
                text: dialog.tool ? dialog.tool.message : ""
            }

            Text {
                width: parent.width
                visible: dialog.stage === "review"
                wrapMode: Text.WordWrap
                color: "#C0D8F0"
                font.pixelSize: 13
                text: qsTr("Only the settings where the device differs from the file are listed. Apply sends the checked ones; the network settings go last and may cut the link.")
            }
        }

        Item {
            id: tableArea
            y: top.height + 8
            width: parent.width
            height: buttons.y - y - notesText.height - 16
            visible: dialog.tableShown

            Row {
                id: header
                height: 26
                Item { width: dialog.checkWidth; height: 1 }
                Cell { width: dialog.itemWidth; color: "#C0D8F0"; text: qsTr("Setting") }
                Cell {
                    width: dialog.valueWidth
                    color: "#C0D8F0"
                    text: dialog.stage === "done" ? qsTr("On the device before") : qsTr("On the device now")
                }
                Cell { width: dialog.valueWidth; color: "#C0D8F0"; text: qsTr("In the file") }
                Cell {
                    width: tableArea.width - x
                    color: "#C0D8F0"
                    text: qsTr("Read back")
                }
            }

            Rectangle {
                y: header.height
                width: parent.width
                height: parent.height - y
                color: "#042745"
                border.color: "grey"

                ListView {
                    id: table
                    objectName: "configTable"
                    anchors.fill: parent
                    anchors.margins: 4
                    clip: true
                    boundsBehavior: Flickable.StopAtBounds
                    model: dialog.tool ? dialog.tool.rows : null
                    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

                    section.property: "areaId"
                    section.delegate: Row {
                        objectName: "configArea_" + section
                        height: 30
                        CheckBox {
                            objectName: "configAreaCheck_" + section
                            width: dialog.checkWidth
                            height: 30
                            checkable: false
                            enabled: dialog.stage === "review"
                            checkState: {
                                var state = dialog.tool && dialog.tool.revision >= 0 ? dialog.tool.areaState(section) : 0
                                return state === 2 ? Qt.Checked : state === 1 ? Qt.PartiallyChecked : Qt.Unchecked
                            }
                            onClicked: dialog.tool.setAreaChecked(section, dialog.tool.areaState(section) !== 2)
                        }
                        Cell {
                            height: 30
                            font.bold: true
                            color: section === "network" ? "#FFCC80" : "white"
                            text: dialog.tool && dialog.tool.revision >= 0 ? dialog.tool.areaLabel(section) : ""
                        }
                    }

                    delegate: Row {
                        objectName: "configRow_" + index
                        height: 26
                        CheckBox {
                            objectName: "configCheck_" + index
                            width: dialog.checkWidth
                            height: 26
                            checkable: false
                            checked: model.checked
                            enabled: dialog.stage === "review"
                            onClicked: dialog.tool.setChecked(index, !model.checked)
                        }
                        Cell {
                            width: dialog.itemWidth
                            height: 26
                            color: model.network ? "#FFCC80" : "white"
                            text: model.item
                        }
                        Cell { width: dialog.valueWidth; height: 26; text: model.device }
                        Cell { width: dialog.valueWidth; height: 26; text: model.file }
                        Cell {
                            objectName: "configResult_" + index
                            width: table.width - x
                            height: 26
                            color: model.result === "matches" ? "#9FE8A0"
                                 : model.result === "" || model.result === "notSent" ? "#C0D8F0" : "#FF8A80"
                            text: model.resultText
                        }
                    }
                }
            }
        }

        Text {
            id: notesText
            objectName: "configNotes"
            anchors.bottom: buttons.top
            anchors.bottomMargin: 8
            width: parent.width
            visible: text !== "" && dialog.stage !== "question"
            height: visible ? Math.min(implicitHeight, 90) : 0
            clip: true
            wrapMode: Text.WordWrap
            color: "#FFCC80"
            font.pixelSize: 12
            text: dialog.tool ? dialog.tool.notes.join("\n") : ""
        }

        Row {
            id: buttons
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            spacing: 10

            TButton {
                objectName: "configApply"
                height: 32
                width: 140
                visible: dialog.stage === "review"
                enable: dialog.tool !== null && dialog.tool.checkedCount > 0
                text: qsTr("Apply")
                onClicked: dialog.tool.apply()
            }
            TButton {
                objectName: "configAnyway"
                height: 32
                width: 180
                visible: dialog.stage === "question"
                text: qsTr("Restore all the same")
                onClicked: dialog.tool.acceptOtherModel()
            }
            TButton {
                objectName: "configCancel"
                height: 32
                width: 140
                text: dialog.stage === "done" ? qsTr("Close") : qsTr("Cancel")
                onClicked: dialog.tool.cancel()
            }
        }
    }
}
