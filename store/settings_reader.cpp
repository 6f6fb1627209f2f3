#include "store/settings_reader.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "engine/runtime_error.h"

namespace velmor {

namespace {

constexpr std::string_view kInputKey = "Input_Delimiter";
constexpr std::string_view kOutputKey = "Output_Delimiter";

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Splits a byte stream into lines ending at CR, CR LF or LF. A lone LF counts as a line end
// too: files written by ordinary Linux editors use it, and reading such a file as one line
// would silently give both delimiters the first value.
class LineSplitter {
  public:
    template <class Sink> void feed(std::string_view chunk, Sink&& sink) {
        for (char c : chunk) {
            if (afterCR_) {
                afterCR_ = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                afterCR_ = c == '\r';
                sink(std::string_view(line_));
                line_.clear();
            } else {
                line_.push_back(c);
            }
        }
    }
    // The last line, when the text does not end with a line end.
    template <class Sink> void finish(Sink&& sink) {
        if (!line_.empty()) sink(std::string_view(line_));
        line_.clear();
        afterCR_ = false;
    }

  private:
    std::string line_;
    bool afterCR_ = false;
};

int openErrorNumber(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return err::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    default:
        return err::DeviceIO;
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string SettingsReader::quotedValue(std::string_view line) {
    const std::string_view trimmed = trimSpaces(line);
    const auto open = trimmed.find('"');
    // Splitting at the quotes gives a single piece; asking for the second is out of range.
    if (open == std::string_view::npos) throw RuntimeError(err::SubscriptOutOfRange);
    const auto close = trimmed.find('"', open + 1);
    if (close == std::string_view::npos) return std::string(trimmed.substr(open + 1));
    return std::string(trimmed.substr(open + 1, close - open - 1));
}

void SettingsReader::applyLine(std::string_view line) {
    if (line.find(kInputKey) != std::string_view::npos) input_ = quotedValue(line);
    if (line.find(kOutputKey) != std::string_view::npos) output_ = quotedValue(line);
}

void SettingsReader::readText(std::string_view text) {
    LineSplitter lines;
    auto apply = [this](std::string_view line) { applyLine(line); };
    lines.feed(text, apply);
    lines.finish(apply);
}

void SettingsReader::readFile(const std::string& path) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw RuntimeError(openErrorNumber(errno));

    LineSplitter lines;
    auto apply = [this](std::string_view line) { applyLine(line); };
    char buffer[4096];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        lines.feed(std::string_view(buffer, n), apply);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(file.get())) throw RuntimeError(err::DeviceIO);
    lines.finish(apply);
}

} // namespace velmor
