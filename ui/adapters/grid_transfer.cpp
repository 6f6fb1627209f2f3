#include "ui/adapters/grid_transfer.h"

#include <string>

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

} // namespace

Variant gridToArray(IGrid* grid, LoopIndices& at) {
    if (!grid) throw RuntimeError(err::ObjectNotSet);
    const std::int16_t rows = toInt16(grid->Rows() - 1);
    const std::int16_t columns = toInt16(grid->Cols() - 1);
    Variant matrix = Array::matrix(rows, columns, 0);
    Array& result = matrix.array();
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
