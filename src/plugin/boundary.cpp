#include "plugin/boundary.h"

#include <windows.h>

#include <cstring>

namespace hq {

namespace {
// Kept until the next error so the host can read it after the exception.
char g_errorText[kErrorTextCapacity];
size_t g_errorLength = 0;
}  // namespace

void KeepErrorText(const char* text) noexcept {
    if (!text) text = "";
    size_t n = 0;
    while (n < kErrorTextCapacity && text[n]) ++n;
    if (n < kErrorTextCapacity) {
        std::memcpy(g_errorText, text, n);
    } else {
        n = kErrorTextCapacity - 1;  // one byte a character in Windows-1251: any cut is clean
        std::memcpy(g_errorText, text, n - 3);
        std::memcpy(g_errorText + n - 3, "...", 3);
    }
    g_errorText[n] = '\0';
    g_errorLength = n;
}

void RaiseKeptError() noexcept {
    ::OutputDebugStringA(g_errorText);
    const ULONG_PTR args[2] = {reinterpret_cast<ULONG_PTR>(g_errorText), g_errorLength};
    ::RaiseException(kErrorExceptionCode, 0, 2, args);
}

}  // namespace hq
