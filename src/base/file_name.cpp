#include "base/file_name.h"

#include <windows.h>

#include "base/text.h"

namespace hq {

std::wstring WidenFileName(std::string_view path) { return WidenFrom(CP_ACP, path); }

bool IsFileWithExtension(const std::string& path, const char* extension) {
    const size_t at = path.find_last_of(".\\/:");
    if (at == std::string::npos || path[at] != '.' || path.compare(at, std::string::npos, extension) != 0)
        return false;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> FullPathName(const std::string& path) {
    // The system answers a length that includes the terminating zero when the
    // buffer is too small, so the second call normally fits; the current folder
    // may change in between (another thread), hence a few attempts. Longer
    // than the longest path the system knows means a broken answer.
    constexpr DWORD kLongestPath = 32768;
    std::string buffer(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD n = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (n == 0) {
            if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_INVALID_NAME);  // an empty path sets none
            return std::nullopt;
        }
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        if (n > kLongestPath) break;
        buffer.assign(n, '\0');
    }
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
}

}  // namespace hq
