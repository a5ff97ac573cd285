// Shared by the screen tests: finding objects by objectName anywhere in a window,
// including popups and dialogs, which are not visual children of their parent item.
.pragma library

function find(root, name) {
    var seen = []
    var queue = [root]
    while (queue.length > 0) {
        var obj = queue.shift()
        if (!obj || seen.indexOf(obj) >= 0)
            continue
        seen.push(obj)
        if (obj.objectName === name)
            return obj
        var lists = ["contentItem", "children", "data", "contentData", "contentChildren", "footer", "header"]
        for (var i = 0; i < lists.length; ++i) {
            var v
            try {
                v = obj[lists[i]]
            } catch (e) {
                continue
            }
            if (!v)
                continue
            if (typeof v === "object" && v.length !== undefined && typeof v !== "string") {
                for (var k = 0; k < v.length; ++k)
                    queue.push(v[k])
            } else if (typeof v === "object") {
                queue.push(v)
            }
        }
    }
    return null
}

// The tab items of the header, in the order shown.
function tabs(win) {
    var repeater = find(win, "tabRepeater")
    var result = []
    for (var i = 0; i < repeater.count; ++i)
        result.push(repeater.itemAt(i))
    return result
}

function labelOf(tab) {
    return tab.children[0].text
}

function countLines(lines, text) {
    var n = 0
    for (var i = 0; i < lines.length; ++i) {
        if (lines[i] === text)
            ++n
    }
    return n
}
