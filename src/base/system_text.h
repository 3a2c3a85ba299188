// The operating system's own texts for error codes.
#pragma once
#include <windows.h>

#include <string>

namespace hq {

// The system's message for `code` as it gives it, without the trailing line
// break (empty when it has none).
std::wstring SystemMessage(DWORD code);

// The reason part of an error text, in Windows-1251: the system's message
// without trailing blanks, line breaks and dots; "Out of system resources"
// when the system has none (or the code is 0: a failed call that set no error).
std::string SystemErrorText(DWORD code);

}  // namespace hq
