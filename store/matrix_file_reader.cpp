#include "store/matrix_file_reader.h"

#include <cmath>
#include <utility>

#include "engine/limits.h"
#include "engine/text_case.h"
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

enum class Keyword { None, Name, Description, Rows, Columns };

bool wordEndsAt(std::string_view line, std::size_t end, std::string_view lowerWord) {
    if (end < lowerWord.size()) return false;
    return equalNoCase(line.substr(end - lowerWord.size(), lowerWord.size()), lowerWord);
}

// The keyword that occurs first in the line. Every keyword ends at a hyphen and holds no
// other, so the first hyphen that completes one marks the earliest.
Keyword firstKeyword(std::string_view line) {
    for (std::size_t p = line.find('-'); p != npos; p = line.find('-', p + 1)) {
        std::size_t e = (p > 0 && line[p - 1] == ' ') ? p - 1 : p;
        if (wordEndsAt(line, e, "matrix")) return Keyword::Name;
        if (wordEndsAt(line, e, "description")) return Keyword::Description;
        if (wordEndsAt(line, e, "rows")) return Keyword::Rows;
        if (wordEndsAt(line, e, "columns")) return Keyword::Columns;
    }
    return Keyword::None;
}

// The text after the line's first hyphen, without the blanks around it.
std::string_view valueOf(std::string_view line) {
    return trimBlanks(line.substr(line.find('-') + 1));
}

class Parser {
  public:
    Parser(const NumberFormat& format, std::string_view delimiter)
        : format_(format), delimiter_(delimiter) {}

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
        }
    }

    MatrixFileContents finish() {
        if (block_ != Block::None) endBlock();
        return std::move(out_);
    }

  private:
    enum class Block { None, Delimited, SingleColumn };

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

    void makeMatrix() {
        if (declaredRows_ < 1 || declaredColumns_ < 1) return; // the old matrix stays
        lentTo_ = npos;
        if (static_cast<long long>(declaredRows_) * declaredColumns_ > kMaxMatrixCells) {
            ++out_.oversize;
            matrix_ = Variant();
            cells_ = nullptr;
            return;
        }
        matrix_ = Variant(Array::matrix(declaredRows_, declaredColumns_, 1));
        cells_ = &matrix_.array();
        rows_ = declaredRows_;
        columns_ = declaredColumns_;
    }

    void blockLine(std::string_view l) {
        if (block_ == Block::Delimited) {
            if (!containsDelimiter(l)) return;
            ++row_;
            if (!cells_ || row_ > rows_) return;
            std::string_view rest = trimBlanks(l);
            const int i = static_cast<int>(row_);
            const int last = declaredColumns_ < columns_ ? declaredColumns_ : columns_;
            if (delimiter_.size() == 1) { // the usual case, without a search call per piece
                const char d = delimiter_[0];
                const char *p = rest.data(), *const e = p + rest.size();
                for (int k = 1; k <= last; ++k) {
                    const char* q = p;
                    while (q < e && *q != d) ++q;
                    store(i, k, trimBlanks(std::string_view(p, static_cast<std::size_t>(q - p))));
                    if (q == e) break;
                    p = q + 1;
                }
                return;
            }
            for (int k = 1; k <= last; ++k) {
                std::size_t cut = delimiter_.empty() ? npos : rest.find(delimiter_);
                store(i, k, trimBlanks(rest.substr(0, cut)));
                if (cut == npos) break;
                rest.remove_prefix(cut + delimiter_.size());
            }
        } else {
            std::string_view t = trimBlanks(l);
            if (!isNumber(t)) return;
            ++row_;
            if (cells_ && row_ <= rows_) store(static_cast<int>(row_), 1, t);
        }
    }

    void store(int i, int j, std::string_view text) {
        if (lentTo_ != npos) { // the matrix was handed to an entry: continue on a copy
            matrix_ = out_.matrices[lentTo_].matrix;
            cells_ = &matrix_.array();
            lentTo_ = npos;
        }
        cells_->cell(i, j) = Variant(std::string(text));
    }

    void endBlock() {
        block_ = Block::None;
        if (name_.empty() || !cells_) return;
        if (lentTo_ != npos) {
            Variant copy = out_.matrices[lentTo_].matrix;
            out_.matrices.push_back({name_, description_, std::move(copy)});
        } else {
            // Handed over without a copy; store() copies back should the file go on
            // filling the same matrix.
            out_.matrices.push_back({name_, description_, std::move(matrix_)});
            lentTo_ = out_.matrices.size() - 1;
        }
    }

    const NumberFormat& format_;
    std::string_view delimiter_;
    MatrixFileContents out_;

    Block block_ = Block::None;
    std::string name_, description_;
    int declaredRows_ = 0, declaredColumns_ = 0;
    long long row_ = 0;
    // The value matrix: null before the first usable size and after an oversize one.
    Variant matrix_;
    Array* cells_ = nullptr;
    int rows_ = 0, columns_ = 0;
    std::size_t lentTo_ = npos;
};

} // namespace

MatrixFileReader::MatrixFileReader(const NumberFormat& format, std::string inputDelimiter)
    : format_(format), delimiter_(std::move(inputDelimiter)) {}

MatrixFileContents MatrixFileReader::parse(std::string_view bytes) const {
    std::string converted;
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    } else {
        converted = latin1ToUtf8(bytes);
        bytes = converted;
    }

    Parser parser(format_, delimiter_);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* e = p;
        while (e < end && *e != '\r' && *e != '\n') ++e;
        parser.line(std::string_view(p, static_cast<std::size_t>(e - p)));
        if (e < end && *e == '\r' && e + 1 < end && e[1] == '\n') ++e;
        p = e + 1;
    }
    return parser.finish();
}

} // namespace velmor
