#include "base/system_text.h"

#include "base/handles.h"
#include "base/text.h"

namespace hq {

std::wstring SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal block(buffer);
    std::wstring text(buffer ? buffer : L"", buffer ? n : 0);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

std::string SystemErrorText(DWORD code) {
    if (code == ERROR_SUCCESS) return "Out of system resources";
    std::wstring text = SystemMessage(code);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text.empty() ? "Out of system resources" : Narrow(text);
}

}  // namespace hq
