import QtQuick 2.15
import QtTest 1.2

// The screen tests' test case. Its functions start from the event loop once the file's
// objects exist and the window is shown: not while the engine is still creating them (it
// would hold binding errors back until the file ends, and no test function could be
// blamed for a QML warning) and not inside a change handler (a retranslation during a
// test would re-evaluate the binding being notified). `when` is set once, not bound.
TestCase {
    id: testCase

    when: false
    Component.onCompleted: helper.startWhenShown(testCase)
}
