// Conversions between the system's 8-bit text (always Windows-1251, never the
// process code page) and the wide strings windows are created with. File
// names the host hands over are in the ANSI code page instead: WidenFileName
// (base/file_name.h).
#pragma once
#include <string>
#include <string_view>

namespace hq {

constexpr unsigned kTextCodePage = 1251;

std::wstring Widen(std::string_view text);
// The same conversion from another code page (CP_ACP: the system's ANSI one).
std::wstring WidenFrom(unsigned codePage, std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace hq
