import QtQuick 2.15
import QtTest 1.2
import "qrc:/WallGeometry.js" as Wall

// Geometry of the video wall grid: the block of a selection, each cell's place in it,
// the cells a band meets, and the placements the two buttons send.
TessaroTestCase {
    name: "WallGeometry"

    // cells of a grid of count cells, holding the outputs given by cell number.
    function grid(count, held) {
        var cells = []
        for (var k = 0; k < count; ++k)
            cells.push({ "value": held.hasOwnProperty(k) ? String(held[k]) : "" })
        return cells
    }

    function test_twoByTwoWithInput() {
        // 8 inputs, outputs 1 to 4 in the cells of a 2 x 2 grid, input 5 chosen.
        var r = Wall.wallCommands(grid(4, { 0: 1, 1: 2, 2: 3, 3: 4 }), [0, 1, 2, 3], 2, 8, 5)
        compare(r.placements, [[9, 2, 2, 1, 1, 5], [10, 2, 2, 2, 1, 5], [11, 2, 2, 1, 2, 5],
                               [12, 2, 2, 2, 2, 5]])
        compare(r.outputs, [1, 2, 3, 4])
    }

    function test_twoByTwoWithoutInput() {
        var r = Wall.wallCommands(grid(4, { 0: 1, 1: 2, 2: 3, 3: 4 }), [0, 1, 2, 3], 2, 8, 0)
        compare(r.placements.map(function (p) { return p[5] }), [0, 0, 0, 0])
    }

    function test_emptyCellsWidenTheBlock() {
        // Cells [2] and [3] of a 1 x 4 grid, only [3] filled.
        var r = Wall.wallCommands(grid(4, { 2: 7 }), [1, 2], 4, 16, 0)
        compare(r.placements, [[23, 2, 1, 2, 1, 0]])
        // A block from the middle of a 3 x 3 grid: cells 4, 5, 7, 8.
        r = Wall.wallCommands(grid(9, { 8: 1 }), [4, 5, 7, 8], 3, 4, 2)
        compare(r.placements, [[5, 2, 2, 2, 2, 2]])
    }

    function test_nothingToPlace() {
        var r = Wall.wallCommands(grid(4, {}), [0, 1, 2, 3], 2, 8, 5)
        compare(r.placements, [])
        compare(r.outputs, [])
        r = Wall.wallCommands(grid(4, { 0: 1 }), [], 2, 8, 5)
        compare(r.placements, [])
        compare(Wall.singleCommands(grid(4, { 0: 1 }), [], 8), [])
    }

    function test_selectionOrderAndStaleCells() {
        // Numbers of cells that are gone are left out; the rest go in cell order.
        var r = Wall.wallCommands(grid(2, { 0: 1, 1: 2 }), [5, 1, 0], 2, 4, 0)
        compare(r.placements, [[5, 2, 1, 1, 1, 0], [6, 2, 1, 2, 1, 0]])
    }

    function test_singleDisplay() {
        compare(Wall.singleCommands(grid(3, { 1: 2 }), [0, 1, 2], 16), [[18, 1, 1, 1, 1, 0]])
    }

    function test_blockAndPlace() {
        var b = Wall.blockOf([9, 20], 8) // (1,1) and (2,4) of an 8-column grid
        compare([b.firstRow, b.firstColumn, b.htotal, b.vtotal], [1, 1, 4, 2])
        var p = Wall.placeInBlock(20, b, 8)
        compare([p.hpos, p.vpos], [4, 2])
        compare(Wall.blockOf([], 8), null)
    }

    function test_bandMeetsCells() {
        // 2 x 2 in a 260 x 160 area: cells 100 x 50 (less the 1-pixel gap) from (30, 30).
        var r0 = Wall.cellRect(0, 2, 2, 260, 160)
        compare([r0.x, r0.y, r0.width, r0.height], [30, 30, 99, 49])
        var r3 = Wall.cellRect(3, 2, 2, 260, 160)
        compare([r3.x, r3.y, r3.width, r3.height], [130, 80, 99, 49])
        // A band inside one cell, drawn either way.
        compare(Wall.cellsInBand(40, 40, 50, 50, 2, 2, 260, 160), [0])
        compare(Wall.cellsInBand(50, 50, 40, 40, 2, 2, 260, 160), [0])
        // Touching the right edge of cell 0 counts; the gap alone meets nothing.
        compare(Wall.cellsInBand(129, 40, 129, 40, 2, 2, 260, 160), [0])
        compare(Wall.cellsInBand(129.5, 40, 129.6, 45, 2, 2, 260, 160), [])
        // A shared corner of all four cells, from bottom right to top left.
        compare(Wall.cellsInBand(135, 85, 125, 75, 2, 2, 260, 160), [0, 1, 2, 3])
        // In the margin only.
        compare(Wall.cellsInBand(2, 2, 20, 20, 2, 2, 260, 160), [])
    }

    function test_payloadKeepsHashesInNames() {
        compare(Wall.payload("Stage #2", "5"), "Stage #2#5")
        var p = Wall.parsePayload("Stage #2#5")
        compare([p.display, p.value], ["Stage #2", "5"])
        p = Wall.parsePayload("#12")
        compare([p.display, p.value], ["", "12"])
        p = Wall.parsePayload("no number")
        compare([p.display, p.value], ["no number", ""])
        compare(Wall.outputOf({ "value": "" }), 0)
        compare(Wall.outputOf({ "value": "x" }), 0)
        compare(Wall.outputOf({ "value": "4" }), 4)
    }

    function test_gridSizeFromSettings() {
        compare(Wall.gridSize(3), 3)
        compare(Wall.gridSize("8"), 8)
        compare(Wall.gridSize(1), 1)
        compare(Wall.gridSize(0), null)
        compare(Wall.gridSize(9), null)
        compare(Wall.gridSize(1000000), null)
        compare(Wall.gridSize(2.5), null)
        compare(Wall.gridSize(-1), null)
        compare(Wall.gridSize("two"), null)
        compare(Wall.gridSize(null), null)
        compare(Wall.gridSize(true), null)
    }
}
