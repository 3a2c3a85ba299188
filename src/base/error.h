// The one error type of the plug-in: an exception carrying the exact text
// that reaches the host. Portable (no <windows.h>).
#pragma once
#include <stdexcept>
#include <string>

namespace hq {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// Raises an Error whose text is `format` with the one "%s" replaced by `arg`.
// The argument is never interpreted as a format itself.
[[noreturn]] void FailWith(const char* format, const std::string& arg);
[[noreturn]] inline void Fail(const std::string& text) { throw Error(text); }

}  // namespace hq
