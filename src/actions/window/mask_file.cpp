// Reading a mask file from disk (the Windows half of the mask reader).
#include <windows.h>

#include <string>
#include <vector>

#include "actions/window/mask_image.h"
#include "actions/window/window_util.h"
#include "plugin/error.h"
#include "plugin/handles.h"

namespace hq {

namespace {

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 2];
    const DWORD n = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return n && n < sizeof buffer ? std::string(buffer, n) : path;
}

[[noreturn]] void CannotOpen(const std::string& path) {
    const DWORD code = ::GetLastError();
    Fail("Cannot open file \"" + FullPath(path) + "\". " + SystemText(code));
}

}  // namespace

MaskImage ReadMaskImage(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) CannotOpen(path);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) CannotOpen(path);
    if (size.QuadPart > 0x7FFFFFFF) Fail("Bitmap image is not valid");
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            CannotOpen(path);
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return DecodeMaskBmp(bytes.data(), bytes.size());
}

}  // namespace hq
