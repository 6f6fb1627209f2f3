#include "store/settings_reader.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "engine/runtime_error.h"
#include "store/text_encoding.h"

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
    // A lone LF ends a line too: files written by ordinary Linux editors use it, and reading
    // such a file as one line would silently give both delimiters the first value.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        applyLine(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

void SettingsReader::readFile(const std::string& path) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw RuntimeError(openErrorNumber(errno));

    std::string text;
    char buffer[4096];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        text.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (std::ferror(file.get())) throw RuntimeError(err::DeviceIO);
    file.reset();
    // Texts are UTF-8 everywhere else (the Format menu, the data files as read), so a
    // settings file in a single-byte encoding is taken as Latin-1, as the data files are.
    if (!isValidUtf8(text)) text = latin1ToUtf8(text);
    readText(text);
}

} // namespace velmor
