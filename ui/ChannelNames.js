// Channel and scene names as the screens show them. The settings object keeps them in
// its "in", "out" and "sence" members, keyed by the number written with three digits.
.pragma library

function threeDigitKey(n) {
    var s = String(n)
    while (s.length < 3)
        s = "0" + s
    return s
}

// The member of the settings object holding a name table; anything that is not a plain
// object counts as no names at all.
function namesMember(setting, member) {
    var m = setting ? setting[member] : undefined
    return (m && typeof m === "object" && !Array.isArray(m)) ? m : ({})
}

// A stored name is shown as it is, even when empty; only a missing key (or a value
// that is neither text nor a number) falls back to the number.
function nameOf(names, n) {
    var key = threeDigitKey(n)
    if (names && Object.prototype.hasOwnProperty.call(names, key)) {
        var v = names[key]
        if (typeof v === "string")
            return v
        if (typeof v === "number")
            return String(v)
    }
    return String(n)
}

// Names of the channels 1 to count of one member of the settings object.
function namesFor(setting, member, count) {
    var names = namesMember(setting, member)
    var list = []
    for (var i = 1; i <= count; ++i)
        list.push(nameOf(names, i))
    return list
}
