import QtQuick 2.15
import QtTest 1.2
import "qrc:/ChannelNames.js" as Names

// The channel and scene names every screen shows, from the settings object's tables.
TessaroTestCase {
    name: "ChannelNames"

    function test_keysHaveThreeDigits() {
        compare(Names.threeDigitKey(1), "001")
        compare(Names.threeDigitKey(12), "012")
        compare(Names.threeDigitKey(100), "100")
        // Beyond three digits the number is written as it is.
        compare(Names.threeDigitKey(1000), "1000")
    }

    function test_storedNamesAndFallbacks() {
        var names = { "001": "Camera", "002": "", "003": 7, "004": true, "005": { "x": 1 }, "6": "six" }
        compare(Names.nameOf(names, 1), "Camera")
        compare(Names.nameOf(names, 2), "", "an empty stored name stays empty")
        compare(Names.nameOf(names, 3), "7")
        compare(Names.nameOf(names, 4), "4", "a value that is no text or number")
        compare(Names.nameOf(names, 5), "5")
        compare(Names.nameOf(names, 6), "6", "only the three-digit key counts")
        compare(Names.nameOf(names, 7), "7")
        compare(Names.nameOf({ "hasOwnProperty": "x", "001": "A" }, 1), "A")
    }

    function test_tablesThatAreNoObjects() {
        compare(Names.namesMember(null, "in"), {})
        compare(Names.namesMember(undefined, "in"), {})
        compare(Names.namesMember({ "in": ["a", "b"] }, "in"), {})
        compare(Names.namesMember({ "in": "a" }, "in"), {})
        compare(Names.namesMember({ "in": { "001": "a" } }, "in")["001"], "a")
    }

    function test_namesForACount() {
        var setting = { "out": { "002": "Stage #2", "010": "ten" } }
        compare(Names.namesFor(setting, "out", 3), ["1", "Stage #2", "3"])
        compare(Names.namesFor(setting, "in", 2), ["1", "2"])
        compare(Names.namesFor(setting, "out", 0), [])
    }
}
