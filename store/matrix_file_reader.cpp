#include "store/matrix_file_reader.h"

#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

#include "engine/limits.h"
#include "store/matrix_file_keywords.h"
#include "store/text_encoding.h"

namespace velmor {

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool isComment(std::string_view line) {
    std::size_t b = line.find_first_not_of(' ');
    return b != npos && line[b] == '#';
}

// Delimiters a file is commonly written with, in the order a hint names them.
constexpr std::string_view kCommonDelimiters[] = {",", ";", "\t", " "};

// The pieces the reader cuts a trimmed row into at `d`.
int pieceCount(std::string_view row, std::string_view d) {
    if (d.empty()) return 1;
    int n = 1;
    for (std::size_t at = row.find(d); at != npos; at = row.find(d, at + d.size())) ++n;
    return n;
}

// The text after the line's first hyphen, without the blanks around it.
std::string_view valueOf(std::string_view line) {
    return trimBlanks(line.substr(line.find('-') + 1));
}

class Parser {
  public:
    Parser(const NumberFormat& format, std::string_view delimiter, long long cellBudget)
        : format_(format), delimiter_(delimiter), cellBudget_(cellBudget) {}

    void line(std::string_view l) {
        if (isComment(l)) return;
        Keyword kw = firstKeyword(l);
        if (block_ != Block::None) {
            if (kw != Keyword::Name) return blockLine(l);
            endBlock();
        }
        switch (kw) {
        case Keyword::Name:
            name_ = valueOf(l);
            mismatch_ = npos;
            return;
        case Keyword::Description:
            description_ = valueOf(l);
            return;
        case Keyword::Rows:
            wholeNumber(valueOf(l), declaredRows_);
            row_ = 0;
            return;
        case Keyword::Columns:
            wholeNumber(valueOf(l), declaredColumns_);
            makeMatrix();
            return;
        case Keyword::None:
            break;
        }
        if (containsDelimiter(l)) {
            block_ = Block::Delimited;
            blockLine(l);
        } else if (isNumber(trimBlanks(l))) {
            block_ = Block::SingleColumn;
            blockLine(l);
        } else {
            skipped(trimBlanks(l));
        }
    }

    MatrixFileContents finish() {
        if (block_ != Block::None && !exhausted()) endBlock();
        for (std::size_t k = 0; k < fitMasks_.size(); ++k)
            for (std::size_t c = 0; c < std::size(kCommonDelimiters); ++c)
                if (fitMasks_[k] & (1u << c)) {
                    out_.mismatches[k].fits = kCommonDelimiters[c];
                    break;
                }
        return std::move(out_);
    }

    bool containsDelimiter(std::string_view l) const {
        return delimiter_.empty() ? !l.empty() : l.find(delimiter_) != npos;
    }

    bool isNumber(std::string_view t) const {
        double d;
        return !t.empty() && format_.tryToNumber(t, d);
    }

    // A count read as a 16-bit whole number, halves to even; anything else keeps `count`.
    void wholeNumber(std::string_view t, int& count) const {
        double d;
        if (t.empty() || !format_.tryToNumber(t, d)) return;
        double r = std::nearbyint(d);
        if (r >= -32768.0 && r <= 32767.0) count = static_cast<int>(r);
    }

    bool exhausted() const { return out_.budgetExceeded; }

  private:
    enum class Block { None, Delimited, SingleColumn };

    // The value matrix is made with its size only; its cells are allocated when the first
    // element arrives or when an entry takes it, so sizes without elements cost nothing.
    void makeMatrix() {
        if (declaredRows_ < 1 || declaredColumns_ < 1) return; // the old matrix stays
        lentTo_ = npos;
        mismatch_ = npos;
        matrix_ = Variant();
        cells_ = nullptr;
        if (static_cast<long long>(declaredRows_) * declaredColumns_ > kMaxMatrixCells) {
            ++out_.oversize;
            made_ = false;
            return;
        }
        made_ = true;
        rows_ = declaredRows_;
        columns_ = declaredColumns_;
    }

    // Allocates the cells of the value matrix, empty or as a copy of the entry it was lent
    // to. False, and the reading ends, when the file's element budget would be exceeded.
    bool allocate() {
        const long long cells = static_cast<long long>(rows_) * columns_;
        if (cellsUsed_ + cells > cellBudget_) {
            out_.budgetExceeded = true;
            return false;
        }
        cellsUsed_ += cells;
        matrix_ = lentTo_ != npos ? out_.matrices[lentTo_].matrix
                                  : Variant(Array::matrix(rows_, columns_, 1));
        cells_ = &matrix_.array();
        lentTo_ = npos;
        return true;
    }

    void blockLine(std::string_view l) {
        if (block_ == Block::Delimited) {
            if (!containsDelimiter(l)) return skipped(trimBlanks(l));
            ++row_;
            if (!made_ || row_ > rows_) return;
            std::string_view rest = trimBlanks(l);
            const std::string_view row = rest;
            const int i = static_cast<int>(row_);
            const int last = declaredColumns_ < columns_ ? declaredColumns_ : columns_;
            int pieces = 0;
            if (delimiter_.size() == 1) { // the usual case, without a search call per piece
                const char d = delimiter_[0];
                const char *p = rest.data(), *const e = p + rest.size();
                while (pieces < last) {
                    const char* q = p;
                    while (q < e && *q != d) ++q;
                    store(i, ++pieces,
                          trimBlanks(std::string_view(p, static_cast<std::size_t>(q - p))));
                    p = q == e ? e : q + 1;
                    if (q == e) break;
                }
                rest = std::string_view(p, static_cast<std::size_t>(e - p));
            } else {
                while (pieces < last) {
                    std::size_t cut = delimiter_.empty() ? npos : rest.find(delimiter_);
                    store(i, ++pieces, trimBlanks(rest.substr(0, cut)));
                    rest.remove_prefix(cut == npos ? rest.size() : cut + delimiter_.size());
                    if (cut == npos) break;
                }
            }
            // Too few pieces, or text left over: the row was not read as written.
            if (pieces < columns_ || !trimBlanks(rest).empty())
                mismatch([&](std::string_view d) { return pieceCount(row, d) == columns_; });
        } else {
            std::string_view t = trimBlanks(l);
            if (!isNumber(t)) return skipped(t);
            ++row_;
            if (!made_ || row_ > rows_) return;
            store(static_cast<int>(row_), 1, t);
            if (columns_ > 1) mismatch([](std::string_view) { return false; });
        }
    }

    // Records a row of the current matrix that did not cut into its columns, keeping the
    // common delimiters that cut every such row right.
    template <class CutsRight> void mismatch(CutsRight cutsRight) {
        if (name_.empty() || exhausted()) return; // a matrix past the budget was not read
        unsigned fits = 0;
        for (std::size_t c = 0; c < std::size(kCommonDelimiters); ++c)
            if (kCommonDelimiters[c] != delimiter_ && cutsRight(kCommonDelimiters[c]))
                fits |= 1u << c;
        if (mismatch_ == npos) {
            mismatch_ = out_.mismatches.size();
            out_.mismatches.push_back({name_, columns_, {}});
            fitMasks_.push_back(~0u);
        }
        fitMasks_[mismatch_] &= fits;
    }

    // A line the reader passes over counts as a row that did not split only when another
    // common delimiter cuts it into exactly the matrix's columns, all numbers: free text
    // between the entries is no reason for a warning.
    void skipped(std::string_view line) {
        if (!made_ || columns_ < 2 || line.empty()) return;
        auto cutsIntoNumbers = [&](std::string_view d) {
            if (pieceCount(line, d) != columns_) return false;
            for (std::string_view rest = line;;) {
                const std::size_t cut = rest.find(d);
                if (!isNumber(trimBlanks(rest.substr(0, cut)))) return false;
                if (cut == npos) return true;
                rest.remove_prefix(cut + d.size());
            }
        };
        for (std::string_view d : kCommonDelimiters)
            if (d != delimiter_ && cutsIntoNumbers(d)) return mismatch(cutsIntoNumbers);
    }

    void store(int i, int j, std::string_view text) {
        if (!cells_ && !allocate()) return;
        cells_->cell(i, j) = Variant(std::string(text));
    }

    void endBlock() {
        block_ = Block::None;
        if (name_.empty() || !made_) return;
        if (!cells_ && !allocate()) return;
        // Handed over without a copy; allocate() copies it back should the file go on
        // filling the same matrix.
        out_.matrices.push_back({name_, description_, std::move(matrix_)});
        cells_ = nullptr;
        lentTo_ = out_.matrices.size() - 1;
    }

    const NumberFormat& format_;
    std::string_view delimiter_;
    long long cellBudget_;
    MatrixFileContents out_;

    Block block_ = Block::None;
    std::string name_, description_;
    int declaredRows_ = 0, declaredColumns_ = 0;
    long long row_ = 0;
    // The value matrix: not made before the first usable size and after an oversize one;
    // made, its cells are null until allocated.
    bool made_ = false;
    Variant matrix_;
    Array* cells_ = nullptr;
    int rows_ = 0, columns_ = 0;
    std::size_t lentTo_ = npos;
    long long cellsUsed_ = 0;
    // The current matrix's entry in out_.mismatches, and per entry the delimiters that fit.
    std::size_t mismatch_ = npos;
    std::vector<unsigned> fitMasks_;
};

} // namespace

MatrixFileReader::MatrixFileReader(const NumberFormat& format, std::string inputDelimiter,
                                   long long cellBudget)
    : format_(format), delimiter_(std::move(inputDelimiter)), cellBudget_(cellBudget) {}

MatrixFileContents MatrixFileReader::parse(std::string_view bytes) const {
    std::string converted;
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    } else {
        converted = latin1ToUtf8(bytes);
        bytes = converted;
    }

    Parser parser(format_, delimiter_, cellBudget_);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !parser.exhausted()) {
        const char* e = p;
        while (e < end && *e != '\r' && *e != '\n') ++e;
        parser.line(std::string_view(p, static_cast<std::size_t>(e - p)));
        if (e < end && *e == '\r' && e + 1 < end && e[1] == '\n') ++e;
        p = e + 1;
    }
    return parser.finish();
}

} // namespace velmor
