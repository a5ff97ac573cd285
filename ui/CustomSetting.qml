import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0
import "BoardTables.js" as Tables

// Custom settings screen: the two LCD lines of the front panel, written behind an
// access code, and on the board models the settings of every input and output board.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false
    property color fontColor: "white"
    // Devices in the field are set up with this code.
    readonly property string accessCode: "739015"

    function rebuildBoards() {
        var ins = Math.max(0, appContext.inChannels)
        inputHalf.setBoards(Tables.boardList(ins, 1))
        outputHalf.setBoards(Tables.boardList(Math.max(0, appContext.outChannels), ins + 1))
    }

    function readLines() {
        appContext.sendCmd_GetServiceType()
        appContext.sendCmd_GetServiceNum()
    }

    function confirmCode() {
        if (codeField.text !== accessCode) {
            errorBox.open()
            return
        }
        appContext.sendCmd_SetServiceType(appContext.serviceType)
        appContext.sendCmd_SetServiceNum(appContext.serviceNum)
        codeField.text = ""
        codeDialog.close()
    }

    onIsActiveChanged: rebuildBoards()
    Component.onCompleted: {
        firstLine.text = appContext.serviceType
        secondLine.text = appContext.serviceNum
        rebuildBoards()
    }

    Connections {
        target: appContext
        function onSettingChanged() { root.rebuildBoards() }
        function onServiceTypeChanged() {
            if (firstLine.text !== appContext.serviceType)
                firstLine.text = appContext.serviceType
        }
        function onServiceNumChanged() {
            if (secondLine.text !== appContext.serviceNum)
                secondLine.text = appContext.serviceNum
        }
    }

    component LineLabel: Text {
        width: 100
        height: 30
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        rightPadding: 10
        color: root.fontColor
    }

    Column {
        x: 10
        y: 10
        width: root.width - 20
        spacing: 5

        Rectangle {
            id: frame
            objectName: "customFrame"
            width: parent.width
            height: 150
            color: "transparent"
            border.width: 1
            border.color: "grey"
            radius: 5

            Text {
                width: parent.width
                height: 30
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Custom Setting")
                font.pointSize: 14
                color: root.fontColor
            }

            Column {
                width: 400
                anchors.horizontalCenter: parent.horizontalCenter
                y: 32
                spacing: 3

                Row {
                    LineLabel {
                        text: qsTr("First line of LCD")
                    }
                    TextField {
                        id: firstLine
                        objectName: "firstLine"
                        width: 200
                        height: 30
                        selectByMouse: true
                        onTextEdited: appContext.serviceType = text
                    }
                }
                Row {
                    LineLabel {
                        text: qsTr("Second line of LCD")
                    }
                    TextField {
                        id: secondLine
                        objectName: "secondLine"
                        width: 200
                        height: 30
                        selectByMouse: true
                        onTextEdited: appContext.serviceNum = text
                    }
                }
                Row {
                    x: 100
                    spacing: 10
                    TButton {
                        objectName: "readButton"
                        width: 95
                        height: 30
                        text: qsTr("Read")
                        onClicked: root.readLines()
                    }
                    TButton {
                        objectName: "writeButton"
                        width: 95
                        height: 30
                        text: qsTr("Write")
                        onClicked: {
                            codeDialog.open()
                            codeField.forceActiveFocus()
                        }
                    }
                }
            }
        }

        Row {
            objectName: "boardArea"
            width: parent.width
            height: 440
            spacing: 5
            visible: Models.isBoardSettings(appContext.mode)

            BoardHalf {
                id: inputHalf
                objectName: "inputBoard"
                width: (parent.width - 5) / 2
                height: parent.height
                isInput: true
                title: qsTr("Input")
                fontColor: root.fontColor
            }
            BoardHalf {
                id: outputHalf
                objectName: "outputBoard"
                width: (parent.width - 5) / 2
                height: parent.height
                isInput: false
                title: qsTr("Output")
                fontColor: root.fontColor
            }
        }
    }

    Dialog {
        id: codeDialog
        objectName: "codeDialog"
        modal: true
        width: 250
        height: 150
        x: (root.width - width) / 2
        y: (root.height - height) / 2
        title: qsTr("Please input password")
        closePolicy: Popup.CloseOnEscape

        contentItem: Row {
            spacing: 10
            Text {
                height: 30
                verticalAlignment: Text.AlignVCenter
                text: qsTr("Password")
            }
            TextField {
                id: codeField
                objectName: "codeField"
                width: 130
                height: 30
                echoMode: TextInput.Password
                selectByMouse: true
                focus: true
                onAccepted: root.confirmCode()
            }
        }

        footer: Item {
            height: 40
            Row {
                anchors.centerIn: parent
                spacing: 10
                TButton {
                    objectName: "codeOk"
                    width: 80
                    height: 30
                    text: qsTr("Ok")
                    onClicked: root.confirmCode()
                }
                TButton {
                    objectName: "codeCancel"
                    width: 80
                    height: 30
                    text: qsTr("Cancel")
                    onClicked: codeDialog.close()
                }
            }
        }
    }

    Dialog {
        id: errorBox
        objectName: "codeErrorBox"
        modal: true
        width: 300
        height: 150
        x: (root.width - width) / 2
        y: (root.height - height) / 2 + 40
        title: qsTr("Message")
        closePolicy: Popup.CloseOnEscape

        contentItem: Text {
            objectName: "codeErrorText"
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            text: qsTr("Password error, please try again")
        }

        footer: Item {
            height: 40
            TButton {
                objectName: "codeErrorOk"
                anchors.centerIn: parent
                width: 80
                height: 30
                text: qsTr("OK")
                onClicked: errorBox.close()
            }
        }
    }
}
