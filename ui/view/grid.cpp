#include "ui/view/grid.h"

#include <algorithm>
#include <unordered_set>

#include "engine/runtime_error.h"
#include "ui/view/form.h"

namespace velmor {

namespace {
const std::string kNoText;
} // namespace

Grid::Grid(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Grid) {
    text_.resize(4);
    align_.assign(4, 0);
    colWidth_.assign(2, kDefaultColWidth);
}

void Grid::resize(int rows, int cols) {
    if (rows < 1 || cols < 1) throw RuntimeError(err::InvalidPropertyValue);
    if (static_cast<long long>(rows - 1) * (cols - 1) > kMaxDataCells)
        throw RuntimeError(err::OutOfMemory);
    if (rows == rows_ && cols == cols_) return;
    if (cols == cols_) {
        text_.resize(static_cast<std::size_t>(rows) * cols);
        align_.resize(static_cast<std::size_t>(rows) * cols, 0);
    } else {
        std::vector<std::string> text(static_cast<std::size_t>(rows) * cols);
        std::vector<std::uint8_t> align(text.size(), 0);
        int keepRows = std::min(rows, rows_), keepCols = std::min(cols, cols_);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c) {
                std::size_t to = static_cast<std::size_t>(r) * cols + c;
                text[to] = std::move(text_[index(r, c)]);
                align[to] = align_[index(r, c)];
            }
        text_.swap(text);
        align_.swap(align);
        colWidth_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
    }
    rows_ = rows;
    cols_ = cols;
    selected_ = false;
    row_ = std::min(row_, rows_ - 1);
    col_ = std::min(col_, cols_ - 1);
    topRow_ = std::clamp(topRow_, 1, std::max(1, rows_ - 1));
    leftCol_ = std::clamp(leftCol_, 1, std::max(1, cols_ - 1));
    cellsChanged(Prop::Shape);
}

void Grid::setRows(int rows) {
    resize(rows, cols_);
}
void Grid::setCols(int cols) {
    resize(rows_, cols);
}

void Grid::setRow(int row) {
    if (row < 0 || row >= rows_) throw RuntimeError(err::InvalidRowValue);
    row_ = row;
    dropSelection();
    notify(Prop::CurrentCell);
}

void Grid::setCol(int col) {
    if (col < 0 || col >= cols_) throw RuntimeError(err::InvalidColValue);
    col_ = col;
    dropSelection();
    notify(Prop::CurrentCell);
}

const std::string& Grid::Text() const {
    return text_[index(row_, col_)];
}

void Grid::setText(const std::string& text) {
    std::string& cell = text_[index(row_, col_)];
    if (cell == text) return;
    cell = text;
    cellsChanged(Prop::Cells);
}

int Grid::CellAlignment() const {
    return align_[index(row_, col_)];
}

void Grid::setCellAlignment(int alignment) {
    if (alignment < 0 || alignment > 9) throw RuntimeError(err::InvalidPropertyValue);
    auto& a = align_[index(row_, col_)];
    if (a == alignment) return;
    a = static_cast<std::uint8_t>(alignment);
    cellsChanged(Prop::Cells);
}

void Grid::visitCells(int rows, int cols, int alignment, const CellVisitor& visit) {
    if (rows < 1 || cols < 1) return;
    if (rows >= rows_ || cols >= cols_) throw RuntimeError(err::SubscriptOutOfRange);
    if (alignment > 9) throw RuntimeError(err::InvalidPropertyValue);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const std::size_t i = index(r, c);
            if (alignment >= 0) align_[i] = static_cast<std::uint8_t>(alignment);
            visit(r, c, text_[i]);
        }
    row_ = rows;
    col_ = cols;
    cellsChanged(Prop::Cells);
    notify(Prop::CurrentCell);
}

const std::string& Grid::TextMatrix(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return kNoText;
    return text_[index(row, col)];
}

void Grid::setTextMatrix(int row, int col, const std::string& text) {
    if (row < 0 || row >= rows_) throw RuntimeError(err::InvalidRowValue);
    if (col < 0 || col >= cols_) throw RuntimeError(err::InvalidColValue);
    text_[index(row, col)] = text;
    cellsChanged(Prop::Cells);
}

int Grid::alignmentAt(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return 0;
    return align_[index(row, col)];
}

int Grid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) throw RuntimeError(err::SubscriptOutOfRange);
    return colWidth_[static_cast<std::size_t>(col)];
}

void Grid::setColWidth(int col, int width) {
    if (col < 0 || col >= cols_) throw RuntimeError(err::SubscriptOutOfRange);
    if (width < 0) throw RuntimeError(err::InvalidPropertyValue);
    colWidth_[static_cast<std::size_t>(col)] = width;
    notify(Prop::ColWidth);
}

void Grid::Clear() {
    for (auto& t : text_) t.clear();
    dropSelection();
    cellsChanged(Prop::Cells);
}

int Grid::CellLeft() const {
    int x = colWidth_[0];
    if (col_ == 0) return 0;
    for (int c = leftCol_; c < col_; ++c) x += colWidth_[static_cast<std::size_t>(c)];
    return x;
}

int Grid::CellTop() const {
    if (row_ == 0) return 0;
    return kRowHeight * (1 + std::max(0, row_ - topRow_));
}

int Grid::CellWidth() const {
    return colWidth_[static_cast<std::size_t>(col_)];
}
int Grid::CellHeight() const {
    return kRowHeight;
}

void Grid::setFont(std::string name, double size) {
    fontName_ = std::move(name);
    fontSize_ = size;
    notify(Prop::Font);
}

void Grid::userClick(int row, int col) {
    if (!Enabled() || !Visible()) return;
    if (!hasFocus()) form().moveFocus(this);
    if (row >= 1 && row < rows_ && col >= 1 && col < cols_) {
        row_ = row;
        col_ = col;
        notify(Prop::CurrentCell);
    }
    if (onClick) onClick();
}

void Grid::userDblClick(int row, int col) {
    userClick(row, col);
    if (onDblClick) onDblClick();
}

void Grid::userChar(int code) {
    raiseKeyPress(code);
}

void Grid::userScrolled(int topRow, int leftCol) {
    topRow_ = topRow;
    leftCol_ = leftCol;
}

void Grid::setTopRow(int row) {
    topRow_ = std::clamp(row, 1, std::max(1, rows_ - 1));
    notify(Prop::Scroll);
}

void Grid::setLeftCol(int col) {
    leftCol_ = std::clamp(col, 1, std::max(1, cols_ - 1));
    notify(Prop::Scroll);
}

int Grid::widestText(int col, const std::function<int(const std::string&)>& measure) const {
    if (col < 0 || col >= cols_) return 0;
    std::size_t longest = 0;
    for (int r = 0; r < rows_; ++r) longest = std::max(longest, text_[index(r, col)].size());
    // Number texts differ little in their characters' widths: a text this much shorter than
    // the longest cannot be the widest.
    const std::size_t shortest = longest > 3 ? longest - 3 : 0;
    // Texts that differ only in their digits are measured once, with every digit the widest
    // one: a million results need a few dozen measurements instead of a million.
    char widestDigit = '0';
    int widestRun = -1;
    for (char d = '0'; d <= '9'; ++d) {
        const int run = measure(std::string(10, d)); // ten of them, for sub-pixel differences
        if (run > widestRun) widestRun = run, widestDigit = d;
    }
    std::unordered_set<std::string> shapes;
    int widest = 0;
    for (int r = 0; r < rows_; ++r) {
        const std::string& text = text_[index(r, col)];
        if (text.empty() || text.size() < shortest) continue;
        std::string shape = text;
        for (char& c : shape)
            if (c >= '0' && c <= '9') c = widestDigit;
        if (shapes.insert(shape).second) widest = std::max(widest, measure(shape));
    }
    return widest;
}

void Grid::userColWidth(int col, int width) {
    if (col >= 1 && col < cols_ && width >= 0) setColWidth(col, width);
}

CellRange Grid::Selection() const {
    return selected_ ? selection_ : CellRange{row_, col_, row_, col_};
}

void Grid::setSelection(CellRange range) {
    if (rows_ < 2 || cols_ < 2) return;
    auto clip = [](int v, int last) { return std::clamp(v, 1, last); };
    range = {clip(std::min(range.top, range.bottom), rows_ - 1),
             clip(std::min(range.left, range.right), cols_ - 1),
             clip(std::max(range.top, range.bottom), rows_ - 1),
             clip(std::max(range.left, range.right), cols_ - 1)};
    userSelect(range);
    notify(Prop::Selection);
}

void Grid::selectAll() {
    setSelection({1, 1, rows_ - 1, cols_ - 1});
}

void Grid::userCurrentCell(int row, int col) {
    if (row < 1 || row >= rows_ || col < 1 || col >= cols_) return;
    row_ = row;
    col_ = col;
    notify(Prop::CurrentCell);
}

void Grid::userSelect(CellRange range) {
    selection_ = range;
    selected_ = !range.single();
}

void Grid::dropSelection() {
    if (!selected_) return;
    selected_ = false;
    notify(Prop::Selection);
}

void Grid::cellsChanged(Prop prop) {
    ++revision_;
    notify(prop);
}

} // namespace velmor
