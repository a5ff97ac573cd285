import QtQuick 2.15
import Tessaro 1.0

// Program title and the tab bar. The tabs shown depend on the connected model; a tab
// can be chosen only while a device is connected.
Rectangle {
    id: header
    height: 80
    color: menuColor

    property string title: qsTr("Tessaro")
    property int currentIndex: 0

    property color menuColor: "#338DE3"
    property color menuFontColor: "white"
    property color activeMenuColor: "#074D8B"
    property color activeMenuFontColor: "white"
    property color activeBorderColor: "#15F7CF"
    property font menuFont: Qt.font({ weight: Font.Black, italic: false, pointSize: 14 })

    // Tabs in the order shown: { text: label, index: screen index }.
    property var titleGroup: allTabs()

    function allTabs() {
        return [
            { text: qsTr("Setting"), index: 0 },
            { text: qsTr("Switch"), index: 1 },
            { text: qsTr("Naming"), index: 2 },
            { text: qsTr("Scene"), index: 3 },
            { text: qsTr("Advance"), index: 4 },
            { text: qsTr("Videowall"), index: 5 },
            { text: qsTr("Custom"), index: 6 }
        ]
    }

    function rebuildTabs() {
        var tabs = allTabs()
        if (!Models.isVideoWall(appContext.mode))
            tabs.splice(5, 1) // no video wall screen; "Custom" keeps screen index 6
        titleGroup = tabs
    }

    function selectTab(index) {
        if (!appContext.isConnected)
            return
        currentIndex = index
    }

    Connections {
        target: appContext
        function onModeChanged() { header.rebuildTabs() }
        function onLanguageChanged() { header.rebuildTabs() }
        function onIsConnectedChanged() {
            if (!appContext.isConnected)
                header.currentIndex = 0
        }
    }

    Text {
        id: titleText
        objectName: "headerTitle"
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: header.width / 4
        text: header.title
        font: header.menuFont
        color: "black"
        elide: Text.ElideRight
    }

    Item {
        id: tabBar
        objectName: "tabBar"
        x: titleText.x + titleText.width
        y: 10
        width: header.width - x
        height: header.height - y

        Row {
            anchors.fill: parent

            Repeater {
                objectName: "tabRepeater"
                model: header.titleGroup

                Rectangle {
                    readonly property bool active: modelData.index === header.currentIndex
                    objectName: "tab_" + modelData.index
                    width: tabBar.width / header.titleGroup.length
                    height: tabBar.height
                    color: active ? header.activeMenuColor : header.menuColor

                    Text {
                        objectName: "tabLabel"
                        anchors.centerIn: parent
                        width: parent.width - 6
                        horizontalAlignment: Text.AlignHCenter
                        // A label wider than its tab ("Video Wall" on seven tabs) shrinks to
                        // fit rather than being cut.
                        fontSizeMode: Text.HorizontalFit
                        minimumPointSize: 9
                        elide: Text.ElideRight
                        text: modelData.text
                        font: header.menuFont
                        color: parent.active ? header.activeMenuFontColor : header.menuFontColor
                    }

                    Rectangle {
                        anchors.left: parent.left
                        anchors.right: parent.right
                        anchors.bottom: parent.bottom
                        height: 5
                        color: parent.active ? header.activeBorderColor : header.menuColor
                    }

                    MouseArea {
                        anchors.fill: parent
                        onClicked: header.selectTab(modelData.index)
                    }
                }
            }
        }
    }
}
