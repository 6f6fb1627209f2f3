#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/number_format.h"
#include "engine/variant.h"

namespace velmor {

// Writes the lines of a matrix data file into a byte buffer: a header, then per entry a
// separator, name, description, counts and element rows, then a closing separator. Every
// line ends in CR LF; elements are joined by the output delimiter.
class MatrixFileWriter {
  public:
    MatrixFileWriter(const NumberFormat& format, std::string outputDelimiter);

    static constexpr std::string_view kSeparator = "#****************************************";

    // "# " and the date and time text.
    void header(std::string& out, std::string_view dateText) const;
    // The lines of one entry. Line breaks in the name or description become one blank each,
    // so that a name always stays on its own line. Raises RuntimeError 13 when `matrix` is
    // not an array or holds one, 9 for a one-dimensional array, 6 for a count beyond 16 bits.
    void entry(std::string& out, std::string_view name, std::string_view description,
               const Variant& matrix) const;
    // The closing separator line.
    void footer(std::string& out) const;

    // An element that the reader would not give back in its place, and why ("it begins
    // with "#"", for instance): a first element starting with "#" makes its row a comment,
    // a keyword makes it a name or count line, the delimiter splits it, an empty one is
    // lost where the row's blanks are trimmed, and a one-column row is read only as a number.
    struct Unreadable {
        int row = 0, column = 0;
        std::string reason;
    };
    std::optional<Unreadable> findUnreadable(const Variant& matrix) const;

  private:
    void appendElement(std::string& out, const Variant& element) const;
    std::string reasonUnreadable(const Variant& element, int column, int columns) const;

    const NumberFormat& format_;
    std::string delimiter_;
};

} // namespace velmor
