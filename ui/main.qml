import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    id: root
    width: 1024
    height: 768
    visible: true
    title: qsTr("Tessaro")

    Component.onCompleted: appContext.init()
}
