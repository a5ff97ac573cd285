import QtQuick 2.15
import QtQuick.Window 2.15

// The panel's window: header with the tab bar, footer status line, and the seven
// screens between them, of which the current tab shows exactly one.
Window {
    id: root
    objectName: "mainWindow"
    width: 1024
    height: 768
    visible: true
    title: qsTr("Tessaro")

    // Look shared by every screen.
    property color fontColor: "white"
    property int rowHeight: 25
    property color editorColor: "#E0E0E0"

    Rectangle {
        anchors.fill: parent
        color: "#074D8B"
    }

    // Clicks on the bare background go nowhere.
    MouseArea {
        anchors.fill: parent
    }

    Header {
        id: header
        objectName: "header"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: 80
    }

    Item {
        id: screens
        objectName: "screens"
        anchors.top: header.bottom
        anchors.bottom: footer.top
        anchors.left: parent.left
        anchors.right: parent.right

        Setting {
            objectName: "screen_0"
            anchors.fill: parent
            isActive: header.currentIndex === 0
            visible: isActive
            fontColor: root.fontColor
            rowHeight: root.rowHeight
            editorColor: root.editorColor
        }
        TSwitch {
            objectName: "screen_1"
            anchors.fill: parent
            onNotice: noticeBar.show(text)
            isActive: header.currentIndex === 1
            visible: isActive
        }
        ChannelName {
            objectName: "screen_2"
            anchors.fill: parent
            isActive: header.currentIndex === 2
            visible: isActive
        }
        Sence {
            objectName: "screen_3"
            anchors.fill: parent
            isActive: header.currentIndex === 3
            visible: isActive
        }
        Advance {
            objectName: "screen_4"
            anchors.fill: parent
            isActive: header.currentIndex === 4
            visible: isActive
        }
        DragAndSelect {
            objectName: "screen_5"
            anchors.fill: parent
            isActive: header.currentIndex === 5
            visible: isActive
        }
        CustomSetting {
            objectName: "screen_6"
            anchors.fill: parent
            isActive: header.currentIndex === 6
            visible: isActive
        }
    }

    Footer {
        id: footer
        objectName: "footer"
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        height: 40
        onConsoleRequested: trafficConsole.open()
        onRemoteRequested: remoteWindow.open()
    }

    NoticeBar {
        id: noticeBar
        y: header.height
        width: parent.width
    }

    RemoteWindow {
        id: remoteWindow
        objectName: "remoteWindow"
    }

    ConsoleWindow {
        id: trafficConsole
        objectName: "consoleWindow"
    }
    Shortcut {
        sequence: "Ctrl+T"
        context: Qt.ApplicationShortcut
        onActivated: trafficConsole.toggle()
    }

    // The stored choices are applied only once every screen has been set up.
    Component.onCompleted: appContext.init()
}
