#include "text.h"

#include <windows.h>

namespace hq {

std::wstring WidenFrom(unsigned codePage, std::string_view text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::wstring Widen(std::string_view text) { return WidenFrom(kTextCodePage, text); }

namespace {

std::string NarrowTo(unsigned codePage, DWORD flags, std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    int n = ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0 && flags != 0 &&
        (::GetLastError() == ERROR_INVALID_FLAGS || ::GetLastError() == ERROR_INVALID_PARAMETER)) {
        // Some code pages (UTF-8, UTF-7, the ISO-2022 family) take no flags and
        // refuse the call with them; they have no best-fit letters to avoid.
        flags = 0;
        n = ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    }
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    n = ::WideCharToMultiByte(codePage, flags, text.data(), size, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return out;
}

}  // namespace

std::string Narrow(std::wstring_view text) { return NarrowTo(kTextCodePage, 0, text); }

std::wstring WidenParameter(std::string_view text) { return WidenFrom(CP_ACP, text); }

std::string NarrowParameter(std::wstring_view text) { return NarrowTo(CP_ACP, WC_NO_BEST_FIT_CHARS, text); }

}  // namespace hq
