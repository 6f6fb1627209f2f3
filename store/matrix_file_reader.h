#pragma once

#include <string>
#include <string_view>

#include "engine/number_format.h"
#include "store/matrix_file_entry.h"

namespace velmor {

// Reads the matrices of a data file. Lines end at CR LF, CR or LF; a line whose first
// non-blank character is "#" is a comment wherever it stands. Other lines are classified by
// the first keyword they hold ("matrix -", "description -", "rows -", "columns -", any letter
// case, the blank before the hyphen optional); lines without one that hold the input
// delimiter, or that are a number, begin an element block, which runs until a line whose
// first keyword is the name keyword. Whatever does not fit is skipped and reading never
// fails; matrices whose rows did not split into their columns are listed in `mismatches`. Bytes that are not UTF-8 are taken as Latin-1.
// Time and memory follow what the file holds, not the sizes it declares: a matrix's cells are
// allocated only when an element or an entry needs them, and the cells of one file are held
// to `cellBudget`; the matrix that would cross it and the rest of the file are not read.
class MatrixFileReader {
  public:
    MatrixFileReader(const NumberFormat& format, std::string inputDelimiter,
                     long long cellBudget = kMaxFileCells);

    MatrixFileContents parse(std::string_view bytes) const;

  private:
    const NumberFormat& format_;
    std::string delimiter_;
    long long cellBudget_;
};

} // namespace velmor
