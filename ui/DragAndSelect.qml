import QtQuick 2.15

// Screen still to come; it only follows whether it is shown.
Item {
    property bool isActive: false
}
