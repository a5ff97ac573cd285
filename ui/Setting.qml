import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0

// Connection screen: link choice, connect/disconnect, interface language and, while a
// device is connected, its network settings, beeper and factory reset.
Item {
    id: screen

    property bool isActive: false
    property color fontColor: "white"
    property int rowHeight: 25
    property color editorColor: "#E0E0E0"

    // 0 serial port, 1 network; decides which rows of the connect box are shown.
    property int connectType: 0
    // Set when the operator picks a language, so that a change of the connection type
    // choice caused by re-translating its entries is not taken as the operator's.
    property bool languagechanged: false

    // True while the screen itself moves a choice (and until it is set up), so that the
    // move is not written back.
    property bool loading: true
    property bool wasActive: false

    readonly property int labelFontSize: 12

    // Said once when Chinese is chosen (or restored at start) and no installed font can
    // draw it. It stays in English: in Chinese it would be boxes.
    property bool fontNoticeShown: false
    readonly property string fontNoticeText: QT_TR_NOOP("No Chinese font is installed, so Chinese texts show as boxes. Install one (on Debian the package fonts-wqy-microhei) and restart the panel.")

    function checkChineseFont() {
        if (!appContext.language || fontNoticeShown || Fonts.chineseAvailable())
            return
        fontNoticeShown = true
        fontNotice.open()
    }
    // The link choice is shown but not editable while a link is up or being set up, so
    // it always names the link in use.
    readonly property bool linkChoiceEditable: !appContext.isConnected && !appContext.isConnectPending

    function enter() {
        if (isActive && !wasActive)
            appContext.scanSerialPorts()
        wasActive = isActive
    }

    onIsActiveChanged: enter()

    // Runs fn without its choice changes being taken as the operator's.
    function quietly(fn) {
        var wasLoading = loading
        loading = true
        fn()
        loading = wasLoading
    }

    function loadConnectType() {
        screen.connectType = appContext.connectType
        quietly(function() { typeBox.currentIndex = appContext.connectType === 0 ? 0 : 1 })
    }

    function loadPorts() {
        var ports = appContext.serialPorts
        quietly(function() {
            portBox.model = ports
            if (ports.length > 0)
                portBox.currentIndex = screen.portIndex(ports)
            else
                portBox.currentIndex = -1
            screen.showUnlistedPort()
        })
    }

    function selectCurrentPort() {
        quietly(function() {
            portBox.currentIndex = screen.portIndex(appContext.serialPorts)
            screen.showUnlistedPort()
        })
    }

    // A port the system does not list (a pseudo-terminal, a /dev/serial/by-id/ link, a
    // port that is gone) is shown as its name in the box's text.
    function showUnlistedPort() {
        if (portBox.currentIndex < 0)
            portBox.editText = appContext.currentSerialport
    }

    // Takes the port name typed into the box as the port to use.
    function commitTypedPort() {
        var typed = portBox.editText.trim()
        // The listed entry already chosen (perhaps stored as its "/dev/" path) stays as it is.
        if (portBox.currentIndex >= 0 && typed === portBox.textAt(portBox.currentIndex))
            return
        if (typed !== appContext.currentSerialport)
            appContext.currentSerialport = typed
    }

    // The entry of the current port: listed as stored, or a stored "/dev/" path whose
    // short name is listed.
    function portIndex(ports) {
        var current = appContext.currentSerialport
        var index = ports.indexOf(current)
        if (index < 0 && current.indexOf("/dev/") === 0)
            index = ports.indexOf(current.substring(5))
        return index
    }

    function loadBaudrate() {
        var index = -1
        for (var i = 0; i < baudBox.model.length; ++i) {
            if (baudBox.model[i].value === appContext.currentSerialportBaudrate)
                index = i
        }
        quietly(function() { baudBox.currentIndex = index })
    }

    function loadAddress() {
        if (addressField.text !== appContext.currentIP)
            addressField.text = appContext.currentIP
    }

    Connections {
        target: appContext
        function onConnectTypeChanged() { screen.loadConnectType() }
        function onSerialPortsChanged() { screen.loadPorts() }
        function onCurrentSerialportChanged() { screen.selectCurrentPort() }
        function onCurrentSerialportBaudrateChanged() { screen.loadBaudrate() }
        function onCurrentIPChanged() { screen.loadAddress() }
        function onBeepChanged() { beepSwitch.checked = appContext.beep }
        function onLanguageChanged() {
            // Re-translated entries may have moved the choices; show the stored ones.
            screen.loadConnectType()
            screen.loadBaudrate()
            // The box takes its text from its (empty) entry again when the window gets
            // the language change event, after this.
            Qt.callLater(screen.showUnlistedPort)
            screen.checkChineseFont()
        }
    }

    Component.onCompleted: {
        loadConnectType()
        loadPorts()
        loadBaudrate()
        loadAddress()
        languageBox.currentIndex = -1
        beepSwitch.checked = appContext.beep
        loading = false
        enter()
    }

    component FormLabel: Text {
        height: screen.rowHeight
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        color: screen.fontColor
        font.pointSize: screen.labelFontSize
        // A longer translation shrinks to fit its fixed width rather than being cut.
        fontSizeMode: Text.HorizontalFit
        minimumPointSize: 8
    }

    component Title: Text {
        height: 20
        verticalAlignment: Text.AlignVCenter
        color: screen.fontColor
        font.pointSize: screen.labelFontSize
    }

    component Box: Rectangle {
        color: "transparent"
        radius: 5
        border.width: 1
        border.color: "lightgrey"
    }

    component Field: TextField {
        // Marks text that is not (yet) acceptable.
        property bool flagged: false
        height: screen.rowHeight
        topPadding: 0
        bottomPadding: 0
        leftPadding: 4
        rightPadding: 4
        verticalAlignment: TextInput.AlignVCenter
        maximumLength: 20
        selectByMouse: true
        color: "black"
        background: Rectangle {
            color: screen.editorColor
            border.width: flagged ? 2 : 1
            border.color: flagged ? "#E53935" : "grey"
            radius: 2
        }
    }

    component Choice: ComboBox {
        height: screen.rowHeight
        topPadding: 0
        bottomPadding: 0
    }

    // Four decimal numbers 0-255 without leading zeros, dot-separated; partial input on
    // the way there is accepted while typing.
    readonly property var dottedQuad: /^(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])(\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])){3}$/
    readonly property var addressChars: /^[0-9.,]*$/

    Rectangle {
        id: panel
        objectName: "settingPanel"
        width: 800
        height: 600
        anchors.centerIn: parent
        color: "transparent"
        radius: 5
        border.width: 1
        border.color: "grey"

        Item {
            id: content
            anchors.fill: parent
            anchors.margins: 10
            readonly property real columnWidth: (width - 5) / 2

            Column {
                id: leftColumn
                width: content.columnWidth
                spacing: 5

                Box {
                    id: connectBox
                    objectName: "connectBox"
                    width: parent.width
                    height: 200

                    Column {
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 5

                        Title { text: qsTr("Connect Setting") }

                        Row {
                            spacing: 5
                            FormLabel { width: 150; text: qsTr("Connection Type") }
                            Choice {
                                id: typeBox
                                objectName: "connectTypeBox"
                                width: 200
                                enabled: screen.linkChoiceEditable
                                model: [qsTr("COM"), qsTr("Network")]
                                onCurrentIndexChanged: {
                                    if (screen.loading || !appContext.inited || currentIndex < 0)
                                        return
                                    if (appContext.languagePending) {
                                        currentIndex = appContext.connectType === 0 ? 0 : 1
                                        return
                                    }
                                    if (screen.languagechanged) {
                                        screen.languagechanged = false
                                        currentIndex = screen.connectType
                                        return
                                    }
                                    screen.connectType = currentIndex
                                    if (appContext.connectType !== currentIndex)
                                        appContext.connectType = currentIndex
                                }
                            }
                        }

                        Row {
                            objectName: "serialPortRow"
                            spacing: 5
                            visible: screen.connectType === 0
                            FormLabel { width: 150; text: qsTr("Serial Port") }
                            Choice {
                                id: portBox
                                objectName: "serialPortBox"
                                width: 200
                                enabled: screen.linkChoiceEditable
                                // A listed port is picked; any other path is typed and taken
                                // with Enter, Connect or leaving the box.
                                editable: true
                                onCurrentIndexChanged: {
                                    if (screen.loading || !appContext.inited || appContext.languagePending)
                                        return
                                    if (currentIndex >= 0 && currentIndex < model.length)
                                        appContext.currentSerialport = model[currentIndex]
                                }
                                onAccepted: screen.commitTypedPort()
                                onActiveFocusChanged: {
                                    if (!activeFocus && screen.connectType === 0 && appContext.inited)
                                        screen.commitTypedPort()
                                }
                            }
                        }

                        Row {
                            objectName: "baudrateRow"
                            spacing: 5
                            visible: screen.connectType === 0
                            FormLabel { width: 150; text: qsTr("Baudrate") }
                            Choice {
                                id: baudBox
                                objectName: "baudrateBox"
                                width: 200
                                enabled: screen.linkChoiceEditable
                                textRole: "text"
                                model: [
                                    { text: qsTr("9600"), value: 9600 },
                                    { text: qsTr("19200"), value: 19200 },
                                    { text: qsTr("115200"), value: 115200 }
                                ]
                                onCurrentIndexChanged: {
                                    if (screen.loading || !appContext.inited)
                                        return
                                    if (appContext.languagePending) {
                                        // Re-translating the entries moved the choice.
                                        screen.loadBaudrate()
                                        return
                                    }
                                    if (currentIndex >= 0)
                                        appContext.currentSerialportBaudrate = model[currentIndex].value
                                }
                            }
                        }

                        Row {
                            objectName: "addressRow"
                            spacing: 5
                            visible: screen.connectType === 1
                            FormLabel { width: 150; text: qsTr("IP Address") }
                            Field {
                                id: addressField
                                objectName: "addressField"
                                width: 200
                                enabled: screen.linkChoiceEditable
                                // A host name or address with an optional ":port"; incomplete
                                // text is kept as typed and marked until it is an address.
                                maximumLength: 255
                                flagged: text !== "" && !acceptableInput
                                validator: AddressValidator {}
                                onTextEdited: appContext.currentIP = text
                            }
                        }
                    }

                    TButton {
                        id: connectButton
                        objectName: "connectButton"
                        x: connectBox.width - 5 - width
                        y: connectBox.height - 5 - height
                        visible: !appContext.isConnectPending
                        text: appContext.isConnected ? qsTr("Disconnect") : qsTr("Connect")
                        onClicked: {
                            if (appContext.isConnected) {
                                appContext.disconnectTerminal()
                                return
                            }
                            if (screen.connectType === 0)
                                screen.commitTypedPort()
                            appContext.connectTerminal()
                        }
                    }

                    TButton {
                        objectName: "scanButton"
                        x: connectButton.x - 5 - width
                        y: connectButton.y
                        visible: screen.connectType === 0
                        text: qsTr("Scan")
                        onClicked: appContext.scanSerialPorts()
                    }
                }

                ConnectMessage {
                    objectName: "connectMessage"
                    x: 10
                    width: parent.width - 20
                    problem: appContext.connectProblem
                    target: appContext.connectTarget
                }

                Item {
                    objectName: "languageRow"
                    width: parent.width
                    height: 25

                    Row {
                        x: 10
                        spacing: 5
                        FormLabel { width: 100; text: qsTr("Language") }
                        Choice {
                            id: languageBox
                            objectName: "languageBox"
                            width: content.columnWidth - 115
                            textRole: "text"
                            model: [{ text: "English", value: false }, { text: "中文", value: true }]
                            onCurrentIndexChanged: {
                                if (screen.loading || currentIndex < 0)
                                    return
                                if (!appContext.inited || appContext.languagePending)
                                    return
                                screen.languagechanged = true
                                appContext.changeLangeuageZhCN(model[currentIndex].value)
                                // Whatever the re-translation moved has been absorbed by now.
                                Qt.callLater(function() { screen.languagechanged = false })
                            }
                        }
                    }
                }

                // Back-up and restore of the connected device's configuration.
                Box {
                    id: configBox
                    objectName: "configBox"
                    width: parent.width
                    height: 75
                    visible: appContext.isConnected

                    Column {
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 5

                        Title { text: qsTr("Device Configuration") }

                        Row {
                            spacing: 10
                            TButton {
                                objectName: "backupButton"
                                width: 150
                                height: screen.rowHeight
                                enable: appContext.mode !== ""
                                text: qsTr("Back up ...")
                                onClicked: configDialog.chooseBackup()
                            }
                            TButton {
                                objectName: "restoreButton"
                                width: 150
                                height: screen.rowHeight
                                enable: appContext.mode !== ""
                                text: qsTr("Restore ...")
                                onClicked: configDialog.chooseRestore()
                            }
                        }
                    }
                }
            }

            Column {
                id: rightColumn
                x: content.columnWidth + 5
                width: content.columnWidth
                spacing: 5

                Box {
                    id: networkBox
                    objectName: "networkBox"
                    width: parent.width
                    height: 150
                    visible: appContext.isConnected

                    Column {
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 5

                        Title { text: qsTr("Network Setting") }

                        Row {
                            spacing: 5
                            FormLabel { width: 100; text: qsTr("IP Address") }
                            Field {
                                objectName: "ipField"
                                width: 150
                                text: appContext.ip
                                validator: RegularExpressionValidator { regularExpression: screen.dottedQuad }
                                onTextEdited: appContext.ip = text
                            }
                            TButton {
                                objectName: "readButton"
                                width: 60
                                height: 25
                                text: qsTr("Read")
                                onClicked: {
                                    appContext.sendCmd_GetIP()
                                    appContext.sendCmd_GetIPMask()
                                    appContext.sendCmd_GetIPGateway()
                                }
                            }
                        }

                        Row {
                            spacing: 5
                            FormLabel { width: 100; text: qsTr("Netmask") }
                            Field {
                                objectName: "maskField"
                                width: 150
                                text: appContext.ipMask
                                validator: RegularExpressionValidator { regularExpression: screen.addressChars }
                                onTextEdited: appContext.ipMask = text
                            }
                            TButton {
                                objectName: "saveButton"
                                width: 60
                                height: 25
                                text: qsTr("Save")
                                onClicked: {
                                    appContext.sendCmd_SetIP(appContext.ip)
                                    appContext.sendCmd_SetIPMask(appContext.ipMask)
                                    appContext.sendCmd_SetIPGateway(appContext.ipGateway)
                                }
                            }
                        }

                        Row {
                            spacing: 5
                            FormLabel { width: 100; text: qsTr("Gateway") }
                            Field {
                                objectName: "gatewayField"
                                width: 150
                                text: appContext.ipGateway || ""
                                validator: RegularExpressionValidator { regularExpression: screen.addressChars }
                                onTextEdited: appContext.ipGateway = text
                            }
                        }
                    }
                }

                Box {
                    id: otherBox
                    objectName: "otherBox"
                    width: parent.width
                    height: 150
                    visible: appContext.isConnected

                    Column {
                        id: otherRows
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 5

                        Title { text: qsTr("Other Setting") }

                        Row {
                            spacing: 5
                            height: screen.rowHeight

                            Switch {
                                id: beepSwitch
                                objectName: "beepSwitch"
                                width: 200
                                height: screen.rowHeight
                                topPadding: 0
                                bottomPadding: 0
                                text: qsTr("Beep")
                                contentItem: Text {
                                    leftPadding: beepSwitch.indicator.width + beepSwitch.spacing
                                    verticalAlignment: Text.AlignVCenter
                                    text: beepSwitch.text
                                    color: screen.fontColor
                                    font.pointSize: screen.labelFontSize
                                }
                                // Every change of state goes to the device, whether the operator
                                // toggled the switch or a device report moved it; but not while a
                                // configuration is read or restored, whose own lines moved it.
                                onCheckedChanged: {
                                    if (!screen.loading && !configDialog.busy)
                                        appContext.sendCmd_SetBeepEn(checked)
                                }
                            }

                            Text {
                                objectName: "beepState"
                                height: screen.rowHeight
                                verticalAlignment: Text.AlignVCenter
                                color: screen.fontColor
                                font.pointSize: screen.labelFontSize
                                text: appContext.beep ? qsTr("ON") : qsTr("OFF")
                            }
                        }

                        TButton {
                            objectName: "factoryResetButton"
                            width: otherRows.width - 100
                            height: screen.rowHeight
                            text: qsTr("Factory Reset")
                            onClicked: resetDialog.open()
                        }
                    }
                }
            }
        }

        Dialog {
            id: resetDialog
            objectName: "resetDialog"
            modal: true
            width: 300
            height: 200
            x: (panel.width - width) / 2
            y: (panel.height - height) / 2
            title: qsTr("Reset?")
            closePolicy: Popup.CloseOnEscape

            contentItem: Text {
                objectName: "resetQuestion"
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                wrapMode: Text.WordWrap
                font.family: "Microsoft Yahei"
                text: qsTr("Comfirm to reset to factory mode? \r\nTerminal will reboot, please wait and re-connect.")
            }

            footer: Item {
                height: 45
                Row {
                    anchors.centerIn: parent
                    spacing: 5
                    TButton {
                        objectName: "resetYes"
                        text: qsTr("YES")
                        onClicked: {
                            if (resetTimer.running)
                                return // the reset is already on its way
                            appContext.sendCmd_ResetFactory()
                            resetTimer.start()
                        }
                    }
                    TButton {
                        objectName: "resetNo"
                        text: qsTr("NO")
                        onClicked: resetDialog.close()
                    }
                }
            }
        }
    }

    Dialog {
        id: fontNotice
        objectName: "fontNotice"
        modal: true
        width: 420
        height: 200
        x: (screen.width - width) / 2
        y: (screen.height - height) / 2
        closePolicy: Popup.CloseOnEscape

        contentItem: Text {
            objectName: "fontNoticeText"
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            font.pointSize: screen.labelFontSize
            text: screen.fontNoticeText
        }

        footer: Item {
            height: 45
            TButton {
                objectName: "fontNoticeOk"
                anchors.centerIn: parent
                text: QT_TR_NOOP("OK")
                onClicked: fontNotice.close()
            }
        }
    }

    ConfigDialog {
        id: configDialog
    }

    Timer {
        id: resetTimer
        interval: 500
        repeat: false
        onTriggered: {
            appContext.disconnectTerminal()
            resetDialog.close()
        }
    }
}
