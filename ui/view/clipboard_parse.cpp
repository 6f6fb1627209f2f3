#include <algorithm>
#include <string>

#include "ui/view/clipboard_text.h"

namespace velmor {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// Collects rows and stops once the block can no longer be a matrix.
class Collector {
  public:
    explicit Collector(ParsedBlock& out) : out_(out) {}
    bool full() const { return out_.tooLarge; }
    void row(std::vector<std::string> cells) {
        if (full()) return;
        out_.columns = std::max(out_.columns, static_cast<int>(cells.size()));
        out_.rows.push_back(std::move(cells));
        const long long rows = static_cast<long long>(out_.rows.size());
        if (rows > kMaxMatrixCount || out_.columns > kMaxMatrixCount ||
            rows * out_.columns > kMaxMatrixCells)
            out_.tooLarge = true;
    }

  private:
    ParsedBlock& out_;
};

// Delimited text: rows on line breaks, fields on `delimiter` (any run of blanks when it is
// empty), CSV quoting, blanks around unquoted fields dropped.
void readDelimited(std::string_view text, std::string_view delimiter, Collector& out) {
    std::vector<std::string> row;
    std::string field;
    bool quotedField = false, afterQuote = false;
    std::size_t i = 0;
    auto endField = [&] {
        row.push_back(quotedField ? field : std::string(trim(field)));
        field.clear();
        quotedField = afterQuote = false;
    };
    auto atFieldStart = [&] { return !quotedField && trim(field).empty(); };
    while (i < text.size() && !out.full()) {
        char c = text[i];
        if (quotedField && !afterQuote) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                i += 2;
            } else if (c == '"') {
                afterQuote = true;
                ++i;
            } else {
                field += c;
                ++i;
            }
            continue;
        }
        if (c == '\n') {
            endField();
            out.row(std::move(row));
            row.clear();
            ++i;
        } else if (delimiter.empty() ? (c == ' ' || c == '\t')
                                     : text.substr(i, delimiter.size()) == delimiter) {
            if (delimiter.empty()) {
                while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
                // Blanks at the start or the end of a line separate nothing.
                if (!(atFieldStart() && row.empty()) && i < text.size() && text[i] != '\n')
                    endField();
            } else {
                endField();
                i += delimiter.size();
            }
        } else if (c == '"' && atFieldStart()) {
            field.clear();
            quotedField = true;
            ++i;
        } else {
            if (!afterQuote) field += c; // text after a closing quote is dropped
            ++i;
        }
    }
    if (out.full()) return;
    endField();
    out.row(std::move(row));
}

// Splits on `separators` outside quotes and brackets.
std::vector<std::string_view> splitTop(std::string_view s, std::string_view separators,
                                       bool backslashEscapes) {
    std::vector<std::string_view> parts;
    int depth = 0;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (quote) {
            if (c == '\\' && backslashEscapes)
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[' || c == '{' || c == '(') {
            ++depth;
        } else if (c == ']' || c == '}' || c == ')') {
            --depth;
        } else if (depth == 0 && separators.find(c) != std::string_view::npos) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(s.substr(start));
    return parts;
}

// An element of a language literal: quotes removed, a number in the user's format.
std::string languageElement(std::string_view raw, bool backslashEscapes, std::string_view sep) {
    std::string_view t = trim(raw);
    if (t.size() >= 2 && (t.front() == '"' || t.front() == '\'') && t.back() == t.front()) {
        std::string out;
        const char q = t.front();
        for (std::size_t i = 1; i + 1 < t.size(); ++i) {
            if (backslashEscapes && t[i] == '\\' && i + 2 < t.size())
                ++i;
            else if (!backslashEscapes && t[i] == q && t[i + 1] == q)
                ++i;
            out += t[i];
        }
        return out;
    }
    std::string out(t);
    // Built by concatenation: GCC 12 warns falsely (-Wrestrict) on replace() here.
    if (auto at = out.find("*^"); at != std::string::npos)
        out = out.substr(0, at) + "E" + out.substr(at + 2);
    if (looksNumeric(out, ".") && sep != ".")
        if (auto at = out.find('.'); at != std::string::npos)
            out = out.substr(0, at) + std::string(sep) + out.substr(at + 1);
    return out;
}

// [[1, 2], [3, 4]] and {{1, 2}, {3, 4}}; a single level is one row.
void readNested(std::string_view body, bool backslashEscapes, std::string_view sep,
                Collector& out) {
    body = trim(body);
    auto cells = [&](std::string_view inner) {
        std::vector<std::string> row;
        inner = trim(inner);
        if (inner.empty()) return row;
        for (std::string_view part : splitTop(inner, ",", backslashEscapes))
            row.push_back(languageElement(part, backslashEscapes, sep));
        return row;
    };
    if (body.empty() || (body.front() != '[' && body.front() != '{')) {
        out.row(cells(body));
        return;
    }
    for (std::string_view part : splitTop(body, ",", backslashEscapes)) {
        part = trim(part);
        if (part.size() >= 2) out.row(cells(part.substr(1, part.size() - 2)));
        if (out.full()) return;
    }
}

// [1 2; 3 4]: rows on semicolons or line breaks, elements on commas or blanks.
void readMatlab(std::string_view body, std::string_view sep, Collector& out) {
    for (std::string_view line : splitTop(body, ";\n", false)) {
        if (trim(line).empty()) continue;
        std::vector<std::string> row;
        for (std::string_view part : splitTop(trim(line), ", \t", false))
            if (!part.empty()) row.push_back(languageElement(part, false, sep));
        out.row(std::move(row));
        if (out.full()) return;
    }
}

std::string latexElement(std::string_view raw) {
    std::string t(trim(raw));
    if (startsWith(t, "\\text{") && t.back() == '}') t = t.substr(6, t.size() - 7);
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t.compare(i, 3, "{,}") == 0) {
            out += ',';
            i += 2;
        } else if (t.compare(i, 15, "\\textbackslash{") == 0) {
            out += '\\';
            i += 15;
        } else if (t.compare(i, 17, "\\textasciitilde{}") == 0) {
            out += '~';
            i += 16;
        } else if (t.compare(i, 18, "\\textasciicircum{}") == 0) {
            out += '^';
            i += 17;
        } else if (t[i] == '\\' && i + 1 < t.size()) {
            out += t[++i];
        } else {
            out += t[i];
        }
    }
    return out;
}

// \begin{bmatrix} 1 & 2 \\ 3 & 4 \end{bmatrix}, any matrix or array environment.
void readLatex(std::string_view text, Collector& out) {
    std::size_t open = text.find('}');
    std::size_t close = text.rfind("\\end{");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    std::string_view body = text.substr(open + 1, close - open - 1);
    if (startsWith(trim(body), "{")) body = trim(body).substr(trim(body).find('}') + 1); // {cc}
    std::string rows(body);
    std::size_t at;
    while ((at = rows.find("\\hline")) != std::string::npos) rows.erase(at, 6);
    std::string_view rest = rows;
    while (!rest.empty() && !out.full()) {
        std::size_t end = rest.find("\\\\");
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        if (trim(line).empty()) continue;
        std::vector<std::string> row;
        std::size_t from = 0;
        for (std::size_t i = 0; i <= line.size(); ++i)
            if (i == line.size() || (line[i] == '&' && (i == 0 || line[i - 1] != '\\'))) {
                row.push_back(latexElement(line.substr(from, i - from)));
                from = i + 1;
            }
        out.row(std::move(row));
    }
}

// | a | b | lines; the heading row above the rule is a label row and is dropped.
void readMarkdown(std::string_view text, Collector& out) {
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> rule;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == '|') line.remove_prefix(1);
        if (!line.empty() && line.back() == '|' &&
            !(line.size() > 1 && line[line.size() - 2] == '\\'))
            line.remove_suffix(1);
        std::vector<std::string> cells;
        bool isRule = true;
        std::string cell;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
                cell += '|';
                ++i;
            } else if (i == line.size() || line[i] == '|') {
                std::string t(trim(cell));
                isRule = isRule && !t.empty() && t.find_first_not_of(":-") == std::string::npos &&
                         t.find('-') != std::string::npos;
                cells.push_back(std::move(t));
                cell.clear();
            } else {
                cell += line[i];
            }
        }
        rows.push_back(std::move(cells));
        rule.push_back(isRule);
    }
    for (std::size_t r = 0; r < rows.size() && !out.full(); ++r) {
        bool heading = r + 1 < rows.size() && rule[r + 1] && !rule[r];
        if (!rule[r] && !heading) out.row(std::move(rows[r]));
    }
}

std::string normalisedLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

bool everyLineStartsWithBar(std::string_view t) {
    std::size_t start = 0;
    while (start < t.size()) {
        std::size_t end = std::min(t.find('\n', start), t.size());
        std::string_view line = trim(t.substr(start, end - start));
        if (!line.empty() && line.front() != '|') return false;
        start = end + 1;
    }
    return !t.empty();
}

// The brackets of a literal, with a call around it (np.array(...), Matrix(...)) removed.
std::string_view literalBody(std::string_view t) {
    if (std::size_t paren = t.find('(');
        paren != std::string_view::npos && t.back() == ')' && paren < t.find_first_of("[{"))
        t = trim(t.substr(paren + 1, t.size() - paren - 2));
    return t;
}

} // namespace

ParsedBlock parseBlock(std::string_view text, std::string_view inputDelimiter,
                       std::string_view sep) {
    ParsedBlock result;
    Collector out(result);
    const std::string normal = normalisedLineEnds(text);
    std::string_view t = trim(normal);
    if (t.empty()) return result;
    if (startsWith(t, "\\begin{")) {
        readLatex(t, out);
        return result;
    }
    if (everyLineStartsWithBar(t)) {
        readMarkdown(t, out);
        return result;
    }
    std::string_view body = literalBody(t);
    if (body.size() >= 2 && ((body.front() == '[' && body.back() == ']') ||
                             (body.front() == '{' && body.back() == '}'))) {
        std::string_view inner = trim(body.substr(1, body.size() - 2));
        if (body.front() == '[' && !startsWith(inner, "["))
            readMatlab(inner, sep, out);
        else
            readNested(inner, true, sep, out);
        return result;
    }
    std::string_view delimiter;
    if (normal.find('\t') != std::string::npos) {
        delimiter = "\t";
    } else if (!trim(inputDelimiter).empty() && normal.find(inputDelimiter) != std::string::npos) {
        delimiter = inputDelimiter;
    } else if (normal.find(',') != std::string::npos &&
               (sep != "," || normal.find('"') != std::string::npos)) {
        // With a decimal comma, only CSV whose fields are quoted is split on commas.
        delimiter = ",";
    } else if (normal.find(';') != std::string::npos) {
        delimiter = ";";
    }
    readDelimited(normal, delimiter, out);
    return result;
}

} // namespace velmor
