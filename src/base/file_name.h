// Tests on file names that actions share.
#pragma once
#include <optional>
#include <string>

namespace hq {

// True when a file (not a folder) exists at `path` and the path's extension,
// from its last dot after the last path delimiter, is exactly `extension`
// (case-sensitive: ".BMP" is not ".bmp").
bool IsFileWithExtension(const std::string& path, const char* extension);

// The fully qualified form of `path` as GetFullPathNameA gives it, however
// long it is; nothing when the system refuses the path, with the thread's last
// error telling why (never 0).
std::optional<std::string> FullPathName(const std::string& path);

}  // namespace hq
