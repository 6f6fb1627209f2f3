#include "store/file_lookup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace velmor {

static std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string findFileNoCase(const std::string& dir, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string wanted = upper(name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string stored = it->path().filename().string();
        if (upper(stored) == wanted && it->is_regular_file(ec)) return stored;
    }
    return {};
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

} // namespace velmor
