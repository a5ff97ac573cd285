import QtQuick 2.15
import QtQuick.Dialogs 1.3

// A file dialog kept in a file of its own and made with Qt.createComponent when first
// needed: QtQuick.Dialogs brings a whole control set and four extra modules with it, so
// no screen that merely offers a file dialog names the type itself. The opener sets the
// title and filters just before opening, in the language shown at that moment.
FileDialog {
    selectMultiple: false
    signal chosen(url url)
    onAccepted: chosen(fileUrl)
}
