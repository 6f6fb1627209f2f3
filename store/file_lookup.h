#pragma once

#include <string>

namespace velmor {

// The stored name of a regular file in `dir` whose name equals `name` without regard to
// ASCII letter case; "" when there is none or the folder cannot be read.
std::string findFileNoCase(const std::string& dir, const std::string& name);

// `dir` and `name` joined with the platform's separator.
std::string joinPath(const std::string& dir, const std::string& name);

} // namespace velmor
