// Tests on file names that actions share.
#pragma once
#include <string>

namespace hq {

// True when a file (not a folder) exists at `path` and the path's extension,
// from its last dot after the last path delimiter, is exactly `extension`
// (case-sensitive: ".BMP" is not ".bmp").
bool IsFileWithExtension(const std::string& path, const char* extension);

}  // namespace hq
