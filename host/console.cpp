#include "console.h"

#include <windows.h>

namespace hqhost {

namespace {

std::wstring ToWide(const std::string& text, UINT from) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string FromWide(const std::wstring& wide, UINT to) {
    if (wide.empty()) return {};
    const int n = static_cast<int>(wide.size());
    const int m = ::WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(m), '\0');
    ::WideCharToMultiByte(to, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

std::string Convert(const std::string& text, UINT from, UINT to) { return FromWide(ToWide(text, from), to); }

}  // namespace

void Print(const std::string& utf8) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::string Utf8FromCp1251(const std::string& text) { return Convert(text, 1251, CP_UTF8); }
std::string Cp1251FromUtf8(const std::string& text) { return Convert(text, CP_UTF8, 1251); }
std::wstring WideFromCp1251(const std::string& text) { return ToWide(text, 1251); }
std::string Cp1251FromWide(const std::wstring& text) { return FromWide(text, 1251); }

}  // namespace hqhost
