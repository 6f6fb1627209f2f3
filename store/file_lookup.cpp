#include "store/file_lookup.h"

#include <filesystem>
#include <system_error>

#include "engine/text_case.h"

namespace velmor {

std::string findFileNoCase(const std::string& dir, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string wanted = foldCase(name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string stored = it->path().filename().string();
        if (foldCase(stored) == wanted && it->is_regular_file(ec)) return stored;
    }
    return {};
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

std::string copyIntoFolder(const std::string& file, const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = fs::path(dir) / fs::path(file).filename();
    fs::create_directories(dir, ec);
    if (ec) return {};
    fs::copy_file(file, target, fs::copy_options::skip_existing, ec);
    return ec || !fs::is_regular_file(target, ec) ? std::string() : target.string();
}

} // namespace velmor
