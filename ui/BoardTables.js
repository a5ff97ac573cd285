// Value tables of the board settings: resolutions (not consecutive) and audio sources.
.pragma library

var resolutions = [
    { "text": "480P", "value": 1 },
    { "text": "1280*1024", "value": 2 },
    { "text": "1366*768", "value": 3 },
    { "text": "720P", "value": 4 },
    { "text": "1080P", "value": 5 },
    { "text": "1024*768", "value": 6 },
    { "text": "1280*800", "value": 7 },
    { "text": "1600*1200", "value": 8 },
    { "text": "1600*900", "value": 9 },
    { "text": "1920*1200", "value": 12 },
    { "text": "3840*2160@30Hz", "value": 18 }
]

// Row of a resolution value; -1 for a value the table lacks.
function resolutionRow(value) {
    for (var i = 0; i < resolutions.length; ++i) {
        if (resolutions[i].value === value)
            return i
    }
    return -1
}

// A board member as an integer (reports carry text, stored changes numbers); NaN when
// it is none.
function intOf(v) {
    if (typeof v === "number")
        return Math.trunc(v)
    if (typeof v === "string" && /^\s*-?[0-9]+\s*$/.test(v))
        return parseInt(v, 10)
    return NaN
}

// The board list of one half: entries titled 1 to count, valued first onwards.
function boardList(count, first) {
    var list = []
    for (var i = 0; i < count; ++i)
        list.push({ "text": String(i + 1), "value": first + i })
    return list
}
