#include "base/file_name.h"

#include <windows.h>

namespace hq {

bool IsFileWithExtension(const std::string& path, const char* extension) {
    const size_t at = path.find_last_of(".\\/:");
    if (at == std::string::npos || path[at] != '.' || path.compare(at, std::string::npos, extension) != 0)
        return false;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace hq
