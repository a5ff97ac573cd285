import QtQuick 2.15
import QtQuick.Controls 2.15

// "Subtitle Setting": the look of an input's subtitle, its text, and showing or hiding it.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "Subtitle Setting")
    blockHeight: 400
    shown: screen.lists.subtitle

    property var screen
    property alias inputChoice: inputChoice
    property alias colorChoice: colorChoice
    property alias positionChoice: positionChoice
    property alias scrollingChoice: scrollingChoice
    property alias backgroundChoice: backgroundChoice
    property alias alphaChoice: alphaChoice
    property alias textBox: textBox

    // A guarded list: sends nothing before the screen's first activation.
    function styleChanged(send, value) {
        if (!block.screen.firstActivation && value !== undefined)
            send(block.screen.subtitleInput, value)
    }

    AdvanceRow {
        label: qsTranslate("Advance", "Input Port")
        AdvanceChoice {
            id: inputChoice
            objectName: "subtitleInputChoice"
            onChanged: block.screen.subtitleInput = value !== undefined ? value : 0
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Color")
        AdvanceChoice {
            id: colorChoice
            objectName: "subtitleColorChoice"
            onChanged: block.styleChanged(appContext.sendCmd_SetSubtitleColor, value)
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Position")
        AdvanceChoice {
            id: positionChoice
            objectName: "subtitlePositionChoice"
            onChanged: block.styleChanged(appContext.sendCmd_SetSubtitlePosition, value)
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Scrolling")
        AdvanceChoice {
            id: scrollingChoice
            objectName: "subtitleScrollingChoice"
            onChanged: block.styleChanged(appContext.sendCmd_SetSubtitleScrolling, value)
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "BackColor")
        AdvanceChoice {
            id: backgroundChoice
            objectName: "subtitleBackgroundChoice"
            onChanged: block.styleChanged(appContext.sendCmd_SetSubtitleBGColor, value)
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Alpha")
        AdvanceChoice {
            id: alphaChoice
            objectName: "subtitleAlphaChoice"
            onChanged: block.styleChanged(appContext.sendCmd_SetSubtitleAlpha, value)
        }
    }

    Rectangle {
        x: 40
        width: parent.width - 80
        height: 100
        color: "#E0E0E0"
        ScrollView {
            anchors.fill: parent
            clip: true
            TextArea {
                id: textBox
                objectName: "subtitleText"
                wrapMode: TextEdit.Wrap
                textFormat: TextEdit.PlainText
                selectByMouse: true
                font.pixelSize: 13
                color: "black"
                background: null
            }
        }
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 20
        TButton {
            objectName: "subtitleOpenButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Open")
            onClicked: block.screen.openSubtitle(textBox.text)
        }
        TButton {
            objectName: "subtitleCloseButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Close")
            onClicked: block.screen.closeSubtitle()
        }
    }
}
