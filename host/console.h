// Console output of the stand-in host: UTF-8 bytes on standard output, with
// the plug-in's Windows-1251 text converted.
#pragma once
#include <string>

namespace hqhost {

void Print(const std::string& utf8);             // no line break added
std::string Utf8FromCp1251(const std::string& text);
std::string Cp1251FromUtf8(const std::string& text);
std::wstring WideFromCp1251(const std::string& text);
std::string Cp1251FromWide(const std::wstring& text);

}  // namespace hqhost
