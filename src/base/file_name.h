// File names as the host hands them over, and the tests on them that actions share.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace hq {

// True when a file (not a folder) exists at `path` and the path's extension,
// from its last dot after the last path delimiter, is exactly `extension`
// (case-sensitive: ".BMP" is not ".bmp").
bool IsFileWithExtension(const std::string& path, const char* extension);

// The fully qualified form of `path` as GetFullPathNameA gives it, however
// long it is; nothing when the system refuses the path, with the thread's last
// error telling why (never 0).
std::optional<std::string> FullPathName(const std::string& path);

// A file name the host hands over, for the system's wide calls. The host is a
// program without Unicode: its 8-bit paths are in the system's ANSI code page,
// the one the ...A file calls read them in, which is not always Windows-1251
// (the plug-in's own texts are). Every file name an action widens comes here.
std::wstring WidenFileName(std::string_view path);

}  // namespace hq
