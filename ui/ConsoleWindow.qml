import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15

// The traffic console: every line sent to the device and received from it, newest at
// the bottom, and a command line for raw commands.
Window {
    id: win
    width: 820
    height: 560
    minimumWidth: 560
    minimumHeight: 320
    title: qsTr("Traffic console")
    color: "#06365F"

    readonly property var traffic: appContext.traffic
    readonly property var log: traffic.log
    property string status: ""
    property int anchorRow: -1 // where a shift-click range starts

    function open() {
        body.active = true
        show()
        raise()
        requestActivate()
        body.item.focusFilter()
    }

    function toggle() {
        if (visible)
            close()
        else
            open()
    }

    function sendTyped(field) {
        if (traffic.sendRaw(field.text)) {
            field.text = ""
            status = ""
        } else {
            status = appContext.isConnected ? qsTr("Nothing to send") : qsTr("Not connected: nothing was sent")
        }
    }

    function kindColor(kind, selected) {
        if (selected)
            return "white"
        return kind === 0 ? "#9FD3FF" : kind === 1 ? "#E8E8E8" : kind === 2 ? "#FFC266" : "#FF8A80"
    }

    Shortcut {
        sequences: [StandardKey.Copy]
        onActivated: log.copySelected()
    }

    // Made when first needed (see FileChooser.qml).
    property var saveDialog: null
    function openSaveDialog() {
        if (!saveDialog) {
            saveDialog = Qt.createComponent("FileChooser.qml").createObject(win, { selectExisting: false })
            saveDialog.chosen.connect(saveTo)
        }
        saveDialog.title = qsTr("Save the traffic log")
        saveDialog.nameFilters = [qsTr("Log files (*.log *.txt)"), qsTr("All files (*)")]
        saveDialog.open()
    }
    function saveTo(url) {
        var n = log.count
        win.status = log.save(url.toString())
            ? qsTr("Saved %n line(s)", "", n)
            : qsTr("Could not write %1").arg(url.toString())
    }

    // The contents are made the first time the console opens: most sessions never open it.
    Loader {
        id: body
        anchors.fill: parent
        active: false
        sourceComponent: Item {
            function focusFilter() {
                filterField.forceActiveFocus()
            }

            Row {
                id: tools
                x: 8
                y: 8
                spacing: 6
                height: 32

                TextField {
                    id: filterField
                    objectName: "consoleFilter"
                    width: 240
                    height: parent.height
                    placeholderText: qsTr("Filter")
                    selectByMouse: true
                    onTextChanged: log.filterText = text
                }
                Button {
                    objectName: "consolePause"
                    height: parent.height
                    text: log.paused ? qsTr("Resume") : qsTr("Pause")
                    onClicked: log.paused = !log.paused
                }
                Button {
                    objectName: "consoleClear"
                    height: parent.height
                    text: qsTr("Clear")
                    onClicked: {
                        log.clear()
                        win.status = ""
                    }
                }
                Button {
                    objectName: "consoleCopy"
                    height: parent.height
                    text: qsTr("Copy")
                    enabled: log.selectedCount > 0
                    onClicked: win.status = log.copySelected() ? qsTr("Copied %n line(s)", "", log.selectedCount) : ""
                }
                Button {
                    objectName: "consoleSave"
                    height: parent.height
                    text: qsTr("Save…")
                    onClicked: win.openSaveDialog()
                }
                Text {
                    objectName: "consoleCounts"
                    height: parent.height
                    verticalAlignment: Text.AlignVCenter
                    color: "white"
                    text: log.paused ? qsTr("%1 lines, %2 held").arg(log.count).arg(log.heldCount)
                                     : qsTr("%1 lines").arg(log.count)
                }
            }

            Rectangle {
                id: frame
                anchors.top: tools.bottom
                anchors.bottom: sendRow.top
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 8
                color: "#021F38"
                border.color: "#338DE3"

                ListView {
                    id: list
                    objectName: "consoleList"
                    anchors.fill: parent
                    anchors.margins: 2
                    clip: true
                    // A closed console costs the receive path nothing but the log itself.
                    model: win.visible ? log : null
                    reuseItems: true
                    boundsBehavior: Flickable.StopAtBounds
                    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }
                    // Follows new lines while it shows the newest; a scroll up stops that.
                    property bool follow: true
                    onMovementEnded: follow = atYEnd
                    // Once per batch, also when the batch replaced every row.
                    Connections {
                        target: win.log
                        function onCountChanged() {
                            if (list.follow)
                                list.positionViewAtEnd()
                        }
                        // Every line shown before is gone: start over at the top.
                        function onModelReset() {
                            if (!list.follow)
                                Qt.callLater(list.positionViewAtBeginning)
                        }
                    }

                    delegate: Rectangle {
                        width: ListView.view.width - 12
                        // A long line wraps onto further rows of its own, so a long report
                        // can be read whole.
                        height: Math.max(18, line.height)
                        color: model.selected ? "#2F6DB5" : "transparent"

                        // Two texts a row: the list repaints every row when it moves on.
                        Text {
                            id: stamp
                            x: 4
                            width: 112
                            text: (model.time || "") + (model.kind === 0 ? "  →" : "  ←")
                            color: "#8FA8C0"
                            font.family: "monospace"
                            font.pixelSize: 12
                        }
                        Text {
                            id: line
                            objectName: "consoleLineText"
                            anchors.left: stamp.right
                            anchors.right: parent.right
                            text: (model.kind === 2 ? qsTr("[unrecognised]") + " "
                                   : model.kind === 3 ? qsTr("[discarded partial line]") + " " : "") + (model.text || "")
                            color: win.kindColor(model.kind, model.selected)
                            font.family: "monospace"
                            font.pixelSize: 12
                            textFormat: Text.PlainText
                            // At word ends where there are any; hex dumps break anywhere.
                            wrapMode: Text.Wrap
                        }
                    }
                }

                // One mouse area for all rows keeps the rows cheap to make.
                MouseArea {
                    anchors.fill: list
                    anchors.rightMargin: 12 // the scroll bar
                    onClicked: {
                        var row = list.indexAt(mouse.x + list.contentX, mouse.y + list.contentY)
                        if (row < 0)
                            return
                        if ((mouse.modifiers & Qt.ShiftModifier) && win.anchorRow >= 0) {
                            log.selectRange(win.anchorRow, row)
                        } else {
                            log.toggle(row)
                            win.anchorRow = row
                        }
                    }
                }
            }

            Row {
                id: sendRow
                anchors.bottom: statusText.top
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 8
                height: 32
                spacing: 6

                TextField {
                    id: input
                    objectName: "consoleInput"
                    width: parent.width - sendButton.width - parent.spacing
                    height: parent.height
                    enabled: appContext.isConnected
                    selectByMouse: true
                    font.family: "monospace"
                    placeholderText: appContext.isConnected ? qsTr("Raw command, sent with CR LF")
                                                            : qsTr("Connect to send raw commands")
                    onAccepted: win.sendTyped(input)
                }
                Button {
                    id: sendButton
                    objectName: "consoleSend"
                    height: parent.height
                    text: qsTr("Send")
                    enabled: appContext.isConnected && input.text.length > 0
                    onClicked: win.sendTyped(input)
                }
            }

            Text {
                id: statusText
                objectName: "consoleStatus"
                anchors.bottom: parent.bottom
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 8
                height: 18
                color: "#FFD080"
                text: win.status
                elide: Text.ElideRight
            }
        }
    }
}
