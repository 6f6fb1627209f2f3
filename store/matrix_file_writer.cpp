#include "store/matrix_file_writer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "engine/runtime_error.h"
#include "store/matrix_file_keywords.h"

namespace velmor {

namespace {

constexpr std::string_view kEol = "\r\n";

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Appends `text` with each CR LF, CR or LF replaced by one blank.
void appendOneLine(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] != '\r' && text[p] != '\n') continue;
        out.append(text.substr(start, p - start));
        out.push_back(' ');
        if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] == '\n') ++p;
        start = p + 1;
    }
    out.append(text.substr(start));
}

// "Rows -" + " 3 ": a count printed with its sign place and a trailing blank.
void appendCountLine(std::string& out, std::string_view keyword, int count) {
    char digits[16];
    auto res = std::to_chars(digits, digits + sizeof digits, count);
    out.append(keyword);
    out.append(count < 0 ? "" : " ");
    out.append(digits, res.ptr);
    out.push_back(' ');
    out.append(kEol);
}

} // namespace

MatrixFileWriter::MatrixFileWriter(const NumberFormat& format, std::string outputDelimiter)
    : format_(format), delimiter_(std::move(outputDelimiter)) {}

void MatrixFileWriter::header(std::string& out, std::string_view dateText) const {
    out.append("# ");
    appendOneLine(out, dateText);
    out.append(kEol);
}

void MatrixFileWriter::entry(std::string& out, std::string_view name, std::string_view description,
                             const Variant& matrix) const {
    const int rows = rowCount(matrix);
    const int cols = columnCount(matrix);
    const Array& a = matrix.array();
    if (rows >= 1 && cols >= 1 && (a.lbound(1) > 1 || a.lbound(2) > 1))
        throw RuntimeError(err::SubscriptOutOfRange);

    out.append(kSeparator).append(kEol);
    out.append("Matrix - ");
    appendOneLine(out, name);
    out.append(kEol).append(kEol);
    out.append("Description - ");
    appendOneLine(out, description);
    out.append(kEol);
    appendCountLine(out, "Rows -", rows);
    appendCountLine(out, "Columns -", cols);
    out.append(kEol);
    const std::size_t firstRow = out.size();
    for (int i = 1; i <= rows; ++i) {
        // Room for the remaining rows, judged by the first one.
        if (i == 2) out.reserve(out.size() + (out.size() - firstRow) * (rows - 1) * 9 / 8 + 2);
        out.push_back(' ');
        for (int j = 1; j <= cols; ++j) {
            if (j > 1) out.append(delimiter_);
            appendElement(out, a.cell(i, j));
        }
        out.append(kEol);
    }
    out.append(kEol);
}

void MatrixFileWriter::footer(std::string& out) const {
    out.append(kSeparator).append(kEol);
}

void MatrixFileWriter::appendElement(std::string& out, const Variant& element) const {
    if (element.isText()) {
        // A line break inside an element would split its row in two.
        appendOneLine(out, trimBlanks(element.text()));
    } else if (element.isNumber()) {
        out.append(trimBlanks(format_.toText(element.number())));
    } else if (element.isArray()) {
        throw RuntimeError(err::TypeMismatch);
    }
}

std::optional<MatrixFileWriter::Unreadable>
MatrixFileWriter::findUnreadable(const Variant& matrix) const {
    const int rows = rowCount(matrix);
    const int cols = columnCount(matrix);
    const Array& a = matrix.array();
    // Elements that pass one by one can still make a comment or a keyword together with the
    // delimiter: an empty first element before a delimiter "#", or "rows" before " -5". Only
    // a text element or a delimiter with "#", "-" or a letter can, so number rows skip this.
    const bool delimiterMayJoin = std::any_of(delimiter_.begin(), delimiter_.end(), [](char ch) {
        return ch == '#' || ch == '-' || std::isalpha(static_cast<unsigned char>(ch));
    });
    for (int i = 1; i <= rows; ++i) {
        bool hasText = false;
        for (int j = 1; j <= cols; ++j) {
            std::string reason = reasonUnreadable(a.cell(i, j), j, cols);
            if (!reason.empty()) return Unreadable{i, j, std::move(reason)};
            hasText = hasText || a.cell(i, j).isText();
        }
        if (!(hasText || delimiterMayJoin) || cols < 2) continue;
        std::string row = " ";
        std::vector<std::size_t> ends; // where each element's text ends in the row
        for (int j = 1; j <= cols; ++j) {
            if (j > 1) row.append(delimiter_);
            appendElement(row, a.cell(i, j));
            ends.push_back(row.size());
        }
        if (const std::size_t first = row.find_first_not_of(' ');
            first != std::string::npos && row[first] == '#')
            return Unreadable{i, 1, "the row would begin with \"#\" and be read as a comment"};
        if (Keyword k = firstKeyword(row); k != Keyword::None) {
            int j = 1; // the first element whose end completes the keyword
            while (j < cols &&
                   firstKeyword(std::string_view(row).substr(0, ends[j - 1])) == Keyword::None)
                ++j;
            return Unreadable{i, j,
                              "together with the delimiter, the row would contain \"" +
                                  std::string(keywordText(k)) + "\""};
        }
    }
    return std::nullopt;
}

std::string MatrixFileWriter::reasonUnreadable(const Variant& element, int column,
                                               int columns) const {
    if (element.isArray()) return {}; // entry() reports it as a type mismatch
    std::string text;
    appendElement(text, element);
    // The row as written begins with a blank, which the reader trims.
    const bool blankDelimiter = delimiter_.find_first_not_of(' ') == std::string::npos;
    const bool delimitedRow = !delimiter_.empty() && (columns > 1 || blankDelimiter);
    if (column == 1 && text.starts_with('#')) return "it begins with \"#\"";
    if (Keyword k = firstKeyword(text); k != Keyword::None)
        return "it contains \"" + std::string(keywordText(k)) + "\"";
    if (!delimiter_.empty() && text.find(delimiter_) != std::string::npos)
        return "it contains the delimiter \"" + delimiter_ + "\"";
    if (text.empty() &&
        (!delimitedRow || (blankDelimiter && columns > 1 && (column == 1 || column == columns))))
        return "it is empty";
    double d;
    if (!delimitedRow && !format_.tryToNumber(text, d))
        return "it is not a number, and a one-column matrix is read back only as numbers";
    return {};
}

} // namespace velmor
