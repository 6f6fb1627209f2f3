#include "ui/adapters/grid_transfer.h"

#include <string>

#include "engine/dense.h"
#include "engine/for_loop.h"
#include "engine/runtime_error.h"

namespace velmor {

namespace {

// Runs one statement of ArrayToGrid: a failure skips just that statement.
template <class Statement> void resumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

// Where a completed rows x columns double loop leaves its indices.
void finishLoops(LoopIndices& at, int rows, int columns) {
    at.row = indexAfterLoop16(rows);
    if (rows >= 1) at.column = indexAfterLoop16(columns);
}

// Sizes a single pass over the grid's cell store can take.
bool fastBounds(int rows, int columns) {
    return rows >= 1 && columns >= 1 && rows <= dense::kLargestFastBound &&
           columns <= dense::kLargestFastBound;
}

} // namespace

Variant gridToArray(IGrid* grid, LoopIndices& at) {
    if (!grid) throw RuntimeError(err::ObjectNotSet);
    const std::int16_t rows = toInt16(grid->Rows() - 1);
    const std::int16_t columns = toInt16(grid->Cols() - 1);
    Variant matrix = Array::matrix(rows, columns, 0);
    Array& result = matrix.array();
    if (fastBounds(rows, columns)) {
        grid->visitCells(rows, columns, -1, [&result](int r, int c, std::string& text) {
            if (text.empty()) text = "0";
            result.cell(r, c) = Variant(text);
        });
        finishLoops(at, rows, columns);
        return matrix;
    }
    forEach16(at.row, rows, [&] {
        forEach16(at.column, columns, [&] {
            grid->setRow(at.row);
            grid->setCol(at.column);
            if (grid->Text().empty()) grid->setText("0");
            result.cell(at.row, at.column) = Variant(grid->Text());
        });
    });
    return matrix;
}

// Row and column moves that the grid would refuse are skipped up front rather than thrown,
// which keeps a refused resize from costing an exception per cell.
void arrayToGrid(IGrid* grid, const Variant& InputArray, const NumberFormat& format,
                 LoopIndices& at) {
    int rows = 0, columns = 0;
    try {
        rows = rowCount(InputArray);
        columns = columnCount(InputArray);
    } catch (const RuntimeError&) {
        return; // not a matrix: the grid stays as it was
    }
    auto onGrid = [grid](auto&& statement) {
        if (grid) resumeNext([&] { statement(*grid); });
    };
    auto setRow = [&](int row) {
        onGrid([row](IGrid& g) {
            if (row < g.Rows()) g.setRow(row);
        });
    };
    auto setCol = [&](int col) {
        onGrid([col](IGrid& g) {
            if (col < g.Cols()) g.setCol(col);
        });
    };
    auto align = [&](int alignment) {
        onGrid([alignment](IGrid& g) { g.setCellAlignment(alignment); });
    };
    auto text = [&](const std::string& t) { onGrid([&t](IGrid& g) { g.setText(t); }); };

    // Fewer rows first: a wide matrix after a long one must not ask the grid, for a moment,
    // for more cells than it holds.
    onGrid([&](IGrid& g) {
        if (g.Rows() > rows + 1) g.setRows(toInt16(rows + 1));
    });
    onGrid([&](IGrid& g) { g.setCols(toInt16(columns + 1)); });
    setRow(0);
    setCol(0);
    align(kAlignCenter);
    // A loop whose index overflows at its end simply ends.
    resumeNext([&] {
        forEach16(at.column, columns, [&] {
            setCol(at.column);
            align(kAlignCenter);
            text(std::to_string(at.column));
        });
    });
    onGrid([&](IGrid& g) { g.setRows(toInt16(rows + 1)); });
    setCol(0);
    align(kAlignCenter);
    resumeNext([&] {
        forEach16(at.row, rows, [&] {
            setRow(at.row);
            align(kAlignCenter);
            text(std::to_string(at.row));
        });
    });
    onGrid([](IGrid& g) { g.setVisible(true); });

    const Array* elements = nullptr;
    if (InputArray.isArray() && InputArray.array().dims() == 2) elements = &InputArray.array();
    auto readable = [elements](int i, int j) {
        return elements && i >= elements->lbound(1) && i <= elements->ubound(1) &&
               j >= elements->lbound(2) && j <= elements->ubound(2);
    };
    // Every cell within reach: one pass over the cell store does what the loop below does.
    if (grid && elements && fastBounds(rows, columns) && rows < grid->Rows() &&
        columns < grid->Cols() && dense::covers(*elements, rows, columns)) {
        char buf[NumberFormat::kTextBuffer];
        grid->visitCells(rows, columns, kAlignRight, [&](int r, int c, std::string& text) {
            const Variant& v = elements->cell(r, c);
            if (v.isNumber())
                text.assign(format.toText(v.number(), buf));
            else if (v.isText())
                text = v.text();
            else if (v.isEmpty())
                text.clear();
            // An array cannot be shown: the cell keeps its text.
        });
        finishLoops(at, rows, columns);
        return;
    }
    std::string cellText;
    resumeNext([&] {
        forEach16(at.row, rows, [&] {
            resumeNext([&] {
                forEach16(at.column, columns, [&] {
                    setRow(at.row);
                    setCol(at.column);
                    align(kAlignRight);
                    // An element that cannot be read or shown leaves the cell's text as it was.
                    if (!grid || !readable(at.row, at.column)) return;
                    resumeNext([&] {
                        cellText = format.toText(elements->cell(at.row, at.column));
                        text(cellText);
                    });
                });
            });
        });
    });
}

} // namespace velmor
