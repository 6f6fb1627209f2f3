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

} // namespace velmor
