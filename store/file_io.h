#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The whole content of a file. Raises RuntimeError 53 (missing), 70 (permission),
// 76 (folder missing), 57 (read error) or 75 (anything else, a folder for instance).
std::string readFileBytes(const std::string& path);

// Writes `bytes` as the new content of `path` (append: after its current content) without
// ever leaving a damaged file behind: the complete new content goes to a temporary file in
// the same folder, is flushed to disk and then renamed over the target, so a failure at any
// point leaves the old file exactly as it was. A symbolic link is followed and its target
// replaced; an existing file keeps its permission bits. When the old content does not end
// in a line break, CR LF is put before the appended bytes so they start on a line of their
// own. Raises RuntimeError 70, 76, 61, 57 or 75 as readFileBytes does.
void writeFileSafely(const std::string& path, std::string_view bytes, bool append);

} // namespace velmor
