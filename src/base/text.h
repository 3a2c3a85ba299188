// Conversions between 8-bit text and the wide strings windows are created
// with. The plug-in's own texts (captions, labels, hints, messages) are always
// Windows-1251, never the process code page: Widen and Narrow. Parameter text
// (what the host stores and the actions read: file names, variable names,
// numbers) is in the system's ANSI code page, as a program without Unicode
// writes it: WidenParameter and NarrowParameter, and WidenFileName
// (base/file_name.h) for the file names the actions widen.
#pragma once
#include <string>
#include <string_view>

namespace hq {

constexpr unsigned kTextCodePage = 1251;

std::wstring Widen(std::string_view text);
// The same conversion from another code page (CP_ACP: the system's ANSI one).
std::wstring WidenFrom(unsigned codePage, std::string_view text);
std::string Narrow(std::wstring_view text);

std::wstring WidenParameter(std::string_view text);
// A letter the ANSI code page lacks becomes its default character ("?"),
// never a look-alike: a best-fit "l" for "ł" would name another file.
std::string NarrowParameter(std::wstring_view text);

}  // namespace hq
