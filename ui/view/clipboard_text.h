#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/limits.h"

namespace velmor {

// Cell texts row by row. A parsed block may be ragged; a copied one is rectangular.
using TextBlock = std::vector<std::vector<std::string>>;

// The largest row or column count a matrix may have (the counts are 16-bit, one heading).
inline constexpr int kMaxMatrixCount = 32'766;

// What the clipboard takes a matrix as. Tabs is what spreadsheets paste as a block.
enum class CopyFormat { Tabs, Csv, Latex, Markdown, Matlab, Python, Mathematica };

// The block in one format. Numbers are recognised in the user's format (`decimalSeparator`)
// and written with a point for the programming languages; other texts are quoted or
// escaped where the target needs it.
std::string formatBlock(const TextBlock& block, CopyFormat format,
                        std::string_view decimalSeparator = ".");
// An HTML table of the block, the rich form spreadsheets and word processors paste.
std::string htmlTable(const TextBlock& block);

struct ParsedBlock {
    TextBlock rows;
    int columns = 0;       // the longest row
    bool tooLarge = false; // beyond kMaxMatrixCount or kMaxMatrixCells; `rows` is then partial
};

// Reads a pasted text as a block: the bracket forms of formatBlock (LaTeX, Markdown,
// MATLAB, Python/NumPy, Mathematica) first; otherwise rows on line breaks and elements on
// tabs, else on the input delimiter, else on commas (unless they are the decimal
// separator), semicolons or blanks. Fields may be quoted as in CSV. Numbers written with a
// point in a programming language come back in the user's format.
ParsedBlock parseBlock(std::string_view text, std::string_view inputDelimiter = " ",
                       std::string_view decimalSeparator = ".");

// Sign, digits with at most one decimal separator, optional exponent.
bool looksNumeric(std::string_view text, std::string_view decimalSeparator);

} // namespace velmor
