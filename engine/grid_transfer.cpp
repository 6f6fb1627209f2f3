#include <cstdint>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/for_loop.h"

namespace velmor {

namespace {

constexpr int kObjectNotSet = 91;

// Runs one statement of ArrayToGrid: a failure skips just that statement.
template <class Statement> void resumeNext(Statement&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

} // namespace

Variant CVelmor::GridToArray() {
    try {
        if (!FlexGrid) throw RuntimeError(kObjectNotSet);
        IGrid& grid = *FlexGrid;
        mintNo_Rows = toInt16(grid.Rows() - 1);
        mintNo_Columns = toInt16(grid.Cols() - 1);
        mvarResult = Array::matrix(mintNo_Rows, mintNo_Columns, 0);
        Array& result = mvarResult.array();
        const int columns = mintNo_Columns;
        forEach16(mintRow, mintNo_Rows, [&] {
            forEach16(mintColumn, columns, [&] {
                grid.setRow(mintRow);
                grid.setCol(mintColumn);
                if (grid.Text().empty()) grid.setText("0");
                result.cell(mintRow, mintColumn) = Variant(grid.Text());
            });
        });
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "GridToArray", rowColumnLocation());
        return {};
    }
}

// Every statement tolerates its own failure and the next one runs, so a bad argument or a
// grid that refuses a size still leaves as much of the grid written as possible. Row and
// column moves that the grid would refuse are skipped up front rather than thrown, which keeps
// a refused resize from costing an exception per cell.
void CVelmor::ArrayToGrid(const Variant& InputArray) {
    resumeNext([&] { mintNo_Rows = rowCount(InputArray); });
    resumeNext([&] { mintNo_Columns = columnCount(InputArray); });
    IGrid* grid = FlexGrid;
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
    const int rows = mintNo_Rows, columns = mintNo_Columns;

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
        forEach16(mintColumn, columns, [&] {
            setCol(mintColumn);
            align(kAlignCenter);
            text(std::to_string(mintColumn));
        });
    });
    onGrid([&](IGrid& g) { g.setRows(toInt16(rows + 1)); });
    setCol(0);
    align(kAlignCenter);
    resumeNext([&] {
        forEach16(mintRow, rows, [&] {
            setRow(mintRow);
            align(kAlignCenter);
            text(std::to_string(mintRow));
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
        forEach16(mintRow, rows, [&] {
            resumeNext([&] {
                forEach16(mintColumn, columns, [&] {
                    setRow(mintRow);
                    setCol(mintColumn);
                    align(kAlignRight);
                    // An element that cannot be read or shown leaves the cell's text as it was.
                    if (!grid || !readable(mintRow, mintColumn)) return;
                    resumeNext([&] {
                        cellText = format_.toText(elements->cell(mintRow, mintColumn));
                        text(cellText);
                    });
                });
            });
        });
    });
}

} // namespace velmor
