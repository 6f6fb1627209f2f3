#pragma once

#include <string>

namespace velmor {

// The stored name of a regular file in `dir` whose name equals `name` without regard to
// ASCII letter case; "" when there is none or the folder cannot be read.
std::string findFileNoCase(const std::string& dir, const std::string& name);

// `dir` and `name` joined with the platform's separator.
std::string joinPath(const std::string& dir, const std::string& name);

// True when `path` names a folder.
bool isFolder(const std::string& path);

// Copies `file` into `dir`, making the folder first; an existing copy is kept. Returns the
// copy's path, or "" when it could not be made.
std::string copyIntoFolder(const std::string& file, const std::string& dir);

} // namespace velmor
