import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as Util

// The video wall and custom settings screens in Chinese and back.
TessaroTestCase {
    id: tc
    name: "ScreenTexts"

    property var wall: null
    property var custom: null

    function initTestCase() {
        wall = Qt.createComponent("qrc:/DragAndSelect.qml").createObject(tc)
        custom = Qt.createComponent("qrc:/CustomSetting.qml").createObject(tc)
        verify(wall)
        verify(custom)
    }

    function cleanupTestCase() {
        appContext.changeLangeuageZhCN(false)
        wall.destroy()
        custom.destroy()
    }

    function test_chineseAndBack() {
        appContext.changeLangeuageZhCN(true)
        compare(Util.find(wall, "setWallButton").text, "设置拼接")
        compare(Util.find(wall, "singleButton").text, "单屏显示")
        compare(Util.find(wall, "wallHint").text, "选择上面输入口,把下面的输出端口拖入拼接方格,鼠标框选方格后按拼接按钮")
        compare(Util.find(custom, "writeButton").text, "保存")
        compare(Util.find(custom, "codeErrorText").text, "密码错误，请重试")
        appContext.changeLangeuageZhCN(false)
        compare(Util.find(wall, "setWallButton").text, "Set Video Wall")
        compare(Util.find(custom, "writeButton").text, "Write")
    }
}
