#include <cctype>
#include <string>

#include "ui/view/clipboard_text.h"

namespace velmor {

namespace {

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty() || from == to) return;
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

// A number in the user's format written with a point; Mathematica reads "E" as a constant
// and takes the exponent after "*^".
std::string pointNumber(std::string text, std::string_view sep, CopyFormat format) {
    replaceAll(text, sep, ".");
    if (format == CopyFormat::Mathematica)
        if (std::size_t at = text.find_first_of("Ee"); at != std::string::npos)
            text.replace(at, 1, "*^");
    return text;
}

// `text` in double quotes; `escape` goes before each quote (and backslash when it is one),
// or the quote is doubled when `escape` is empty.
std::string quoted(const std::string& text, const std::string& escape) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || (c == '\\' && escape == "\\")) out += escape.empty() ? "\"" : escape;
        out += c;
    }
    return out + "\"";
}

// A delimited field, quoted as CSV does where needed. A block of one column has no
// delimiter to tell its rows apart from the other separators a paste tries, so there a
// blank, comma or semicolon is quoted too; so is a start a paste reads as a bracket form.
std::string delimitedField(const std::string& text, char delimiter, bool oneColumn) {
    const bool csv = delimiter == ',';
    bool quote = !text.empty() &&
                 (std::string_view("\"[{|\\").find(text.front()) != std::string_view::npos ||
                  (csv && (text.front() == ' ' || text.back() == ' ')));
    for (char c : text)
        if (c == delimiter || c == '\r' || c == '\n' || (csv && c == '"') ||
            (oneColumn && (c == ' ' || c == ',' || c == ';')))
            quote = true;
    return quote ? quoted(text, "") : text;
}

std::string latexCell(const std::string& text, std::string_view sep) {
    if (looksNumeric(text, sep)) {
        std::string out = text;
        replaceAll(out, ",", "{,}"); // a bare comma spaces itself in math mode
        return out;
    }
    if (text.empty()) return text;
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\textbackslash{}";
            break;
        case '~':
            out += "\\textasciitilde{}";
            break;
        case '^':
            out += "\\textasciicircum{}";
            break;
        case '&':
        case '%':
        case '$':
        case '#':
        case '_':
        case '{':
        case '}':
            out += '\\';
            out += c;
            break;
        case '\r':
        case '\n':
            out += ' ';
            break;
        default:
            out += c;
        }
    }
    return "\\text{" + out + "}";
}

std::string markdownCell(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '|') out += '\\';
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

// An element of a programming language's matrix literal. An empty cell stands for 0, as
// it does when the matrix is saved.
std::string languageCell(const std::string& text, CopyFormat format, std::string_view sep) {
    if (text.empty()) return "0";
    if (looksNumeric(text, sep)) return pointNumber(text, sep, format);
    return quoted(text, format == CopyFormat::Matlab ? "" : "\\");
}

std::string joinRows(const TextBlock& block, const std::string& open, const std::string& cellSep,
                     const std::string& close, const std::string& rowSep, const auto& cell) {
    std::string out;
    for (std::size_t r = 0; r < block.size(); ++r) {
        if (r > 0) out += rowSep;
        out += open;
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            if (c > 0) out += cellSep;
            out += cell(block[r][c]);
        }
        out += close;
    }
    return out;
}

} // namespace

bool looksNumeric(std::string_view t, std::string_view sep) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(t[i]))) {
            digits = true;
        } else if (!point && !sep.empty() && t.substr(i, sep.size()) == sep) {
            point = true;
            i += sep.size() - 1;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
        std::size_t start = i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        if (i == start) return false;
    }
    return i == t.size();
}

std::string formatBlock(const TextBlock& block, CopyFormat format, std::string_view sep) {
    switch (format) {
    case CopyFormat::Tabs:
    case CopyFormat::Csv: {
        // Spreadsheets quote a field that holds the delimiter, a line break or a quote.
        const char delimiter = format == CopyFormat::Tabs ? '\t' : ',';
        const bool oneColumn = !block.empty() && block.front().size() == 1;
        return joinRows(block, "", std::string(1, delimiter),
                        format == CopyFormat::Tabs ? "\n" : "\r\n", "",
                        [delimiter, oneColumn](const std::string& s) {
                            return delimitedField(s, delimiter, oneColumn);
                        });
    }
    case CopyFormat::Latex:
        return "\\begin{bmatrix}\n" +
               joinRows(block, "", " & ", "", " \\\\\n",
                        [sep](const std::string& s) { return latexCell(s, sep); }) +
               "\n\\end{bmatrix}\n";
    case CopyFormat::Markdown: {
        // A table needs a heading row: the column numbers, as the grid shows them.
        std::size_t cols = block.empty() ? 0 : block.front().size();
        std::string head = "|", rule = "|";
        for (std::size_t c = 1; c <= cols; ++c) {
            head += " " + std::to_string(c) + " |";
            rule += " ---: |";
        }
        return head + "\n" + rule + "\n" + joinRows(block, "| ", " | ", " |\n", "", markdownCell);
    }
    case CopyFormat::Matlab:
        return "[" +
               joinRows(block, "", " ", "", "; ",
                        [sep](const std::string& s) {
                            return languageCell(s, CopyFormat::Matlab, sep);
                        }) +
               "]\n";
    case CopyFormat::Python:
    case CopyFormat::Mathematica: {
        const bool py = format == CopyFormat::Python;
        return std::string(py ? "[" : "{") +
               joinRows(
                   block, py ? "[" : "{", ", ", py ? "]" : "}", ", ",
                   [sep, format](const std::string& s) { return languageCell(s, format, sep); }) +
               (py ? "]\n" : "}\n");
    }
    }
    return {};
}

std::string htmlTable(const TextBlock& block) {
    auto escape = [](const std::string& s) {
        std::string out;
        for (char c : s) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
            }
        }
        return out;
    };
    return "<meta charset=\"utf-8\"><table>" +
           joinRows(block, "<tr><td>", "</td><td>", "</td></tr>", "", escape) + "</table>";
}

} // namespace velmor
