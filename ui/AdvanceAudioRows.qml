import QtQuick 2.15

// The "Input Port" and "Audio" rows of an audio-insert selection. The screen keeps the
// chosen input and the remembered choice, shared by every place these rows appear;
// they act only while `active` (the flag that shows them) is on.
Column {
    id: rows
    spacing: 5

    property var screen
    property bool active: false
    property string namePrefix: "audio"
    property alias inputChoice: inputChoice
    property alias audioChoice: audioChoice

    AdvanceRow {
        label: qsTranslate("Advance", "Input Port")
        AdvanceChoice {
            id: inputChoice
            objectName: rows.namePrefix + "InputChoice"
            onChanged: {
                if (rows.active && value !== undefined)
                    rows.screen.audioInputChosen(value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Audio")
        AdvanceChoice {
            id: audioChoice
            objectName: rows.namePrefix + "Choice"
            onPicked: rows.screen.audioInsertPicked(value)
        }
    }
}
