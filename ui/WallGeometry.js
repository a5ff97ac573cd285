// Geometry of the video wall grid: where the cells lie, which cells a rubber band
// meets, the block a selection spans and the commands that place outputs in it.
// Cells are numbered row by row from 0.
.pragma library

var maxSize = 8
var margin = 30

// Rows or columns as a settings file may give them: an integer 1 to 8 (as a number or
// as decimal text), otherwise null.
function gridSize(v) {
    var n
    if (typeof v === "number")
        n = v
    else if (typeof v === "string" && /^\s*[0-9]+\s*$/.test(v))
        n = parseInt(v, 10)
    else
        return null
    return (n === Math.floor(n) && n >= 1 && n <= maxSize) ? n : null
}

function rowOf(k, columns) {
    return Math.floor(k / columns)
}
function columnOf(k, columns) {
    return k % columns
}

// Cell k inside an area of width x height: the cells fill the area inside the margin,
// one pixel apart.
function cellRect(k, rows, columns, width, height) {
    var rowHeight = (height - 2 * margin) / rows
    var cellWidth = (width - 2 * margin) / columns
    return {
        "x": margin + columnOf(k, columns) * cellWidth,
        "y": margin + rowOf(k, columns) * rowHeight,
        "width": Math.max(0, cellWidth - 1),
        "height": Math.max(0, rowHeight - 1)
    }
}

// Every cell whose rectangle meets the band between (x1, y1) and (x2, y2), a shared
// edge or corner included, in cell-number order.
function cellsInBand(x1, y1, x2, y2, rows, columns, width, height) {
    var left = Math.min(x1, x2), right = Math.max(x1, x2)
    var top = Math.min(y1, y2), bottom = Math.max(y1, y2)
    var hits = []
    for (var k = 0; k < rows * columns; ++k) {
        var r = cellRect(k, rows, columns, width, height)
        if (left <= r.x + r.width && right >= r.x && top <= r.y + r.height && bottom >= r.y)
            hits.push(k)
    }
    return hits
}

// The smallest block of rows and columns holding every selected cell, empty cells
// included; null for an empty selection.
function blockOf(selection, columns) {
    if (!selection || selection.length === 0)
        return null
    var firstRow = Infinity, lastRow = -Infinity, firstColumn = Infinity, lastColumn = -Infinity
    for (var i = 0; i < selection.length; ++i) {
        var r = rowOf(selection[i], columns), c = columnOf(selection[i], columns)
        firstRow = Math.min(firstRow, r)
        lastRow = Math.max(lastRow, r)
        firstColumn = Math.min(firstColumn, c)
        lastColumn = Math.max(lastColumn, c)
    }
    return { "firstRow": firstRow, "firstColumn": firstColumn,
             "htotal": lastColumn - firstColumn + 1, "vtotal": lastRow - firstRow + 1 }
}

// Position of cell k in the block, both counted from 1.
function placeInBlock(k, block, columns) {
    return { "hpos": columnOf(k, columns) - block.firstColumn + 1,
             "vpos": rowOf(k, columns) - block.firstRow + 1 }
}

// The drag payload of an output: its name, "#", its number. The number is the part
// after the last "#", so a name may itself contain "#".
function payload(name, number) {
    return name + "#" + number
}
function parsePayload(text) {
    var s = text === undefined || text === null ? "" : String(text)
    var at = s.lastIndexOf("#")
    if (at < 0)
        return { "display": s, "value": "" }
    return { "display": s.substring(0, at), "value": s.substring(at + 1) }
}

// Output number held by a cell, 0 when it holds none.
function outputOf(cell) {
    if (!cell || cell.value === undefined || cell.value === null || String(cell.value) === "")
        return 0
    var n = parseInt(cell.value, 10)
    return isNaN(n) || n <= 0 ? 0 : n
}

// Selected cell numbers that name a cell of a grid of count cells, in order.
function validSelection(selection, count) {
    return (selection || []).filter(function (k) { return k >= 0 && k < count })
                            .sort(function (a, b) { return a - b })
}

// "Set VideWall": one placement [unit, Htotal, Vtotal, Hpos, Vpos, Group] per selected
// cell holding an output, in cell order, and the outputs to switch to the group's input.
// cells is indexed by cell number; outputs are addressed after the inputs.
function wallCommands(cells, selection, columns, inChannels, group) {
    var result = { "placements": [], "outputs": [] }
    var chosen = validSelection(selection, cells.length)
    var block = blockOf(chosen, columns)
    if (!block)
        return result
    for (var i = 0; i < chosen.length; ++i) {
        var out = outputOf(cells[chosen[i]])
        if (out === 0)
            continue
        var at = placeInBlock(chosen[i], block, columns)
        result.placements.push([out + inChannels, block.htotal, block.vtotal, at.hpos, at.vpos,
                                group > 0 ? group : 0])
        result.outputs.push(out)
    }
    return result
}

// "Signle Display": every selected output back to a wall of its own.
function singleCommands(cells, selection, inChannels) {
    var chosen = validSelection(selection, cells.length)
    var list = []
    for (var i = 0; i < chosen.length; ++i) {
        var out = outputOf(cells[chosen[i]])
        if (out > 0)
            list.push([out + inChannels, 1, 1, 1, 1, 0])
    }
    return list
}
