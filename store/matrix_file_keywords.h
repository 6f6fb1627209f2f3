#pragma once

#include <string_view>

namespace velmor {

// The words that start the name, description and count lines of a matrix data file.
enum class Keyword { None, Name, Description, Rows, Columns };

// The keyword that occurs first in `line`: "matrix -", "description -", "rows -" or
// "columns -" in any letter case, the blank before the hyphen optional.
Keyword firstKeyword(std::string_view line);

// The keyword as the writer spells it, "rows -" for instance.
std::string_view keywordText(Keyword keyword);

} // namespace velmor
