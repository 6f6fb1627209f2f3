#pragma once

#include <string>
#include <string_view>

namespace velmor {

// Reader of the delimiter settings file: lines naming "Input_Delimiter" or
// "Output_Delimiter" (exact case) set that delimiter to the text between the line's first
// and second double quote. Lines end at CR, CR LF or LF. A key line without any double quote
// raises run-time error 9; a delimiter that no line names keeps its value.
class SettingsReader {
  public:
    SettingsReader(std::string& inputDelimiter, std::string& outputDelimiter)
        : input_(inputDelimiter), output_(outputDelimiter) {}

    // One line, without its line end.
    void applyLine(std::string_view line);
    // A whole settings text, split into lines.
    void readText(std::string_view text);
    // The settings file at `path`, taken as Latin-1 when it is not UTF-8. A file that cannot
    // be opened or read raises the fitting run-time error (53 missing, 70 no permission,
    // 57 read failure).
    void readFile(const std::string& path);

    // The delimiter value of a key line: the trimmed line's text between its first and
    // second double quote, or after its only one. Run-time error 9 without a double quote.
    static std::string quotedValue(std::string_view line);

  private:
    std::string& input_;
    std::string& output_;
};

} // namespace velmor
