// The error boundary at every export: no C++ exception leaves the plug-in.
// An error becomes a continuable structured exception the host can report.
#pragma once
#include <cstdint>
#include <exception>
#include <new>
#include <string>

namespace hq {

// Exception code and parameters the host receives for an error:
// parameter 0 points to the message (Windows-1251, NUL-terminated, valid
// until the next error), parameter 1 is its length.
constexpr uint32_t kErrorExceptionCode = 0xE07A0001u;

// Raises the structured exception for `message`. Returns only when the host
// chooses to continue execution.
void RaiseHostError(const std::string& message);

// Runs `body`; an exception it throws is fully unwound first, then reported
// to the host, and `onError` is returned if the host continues.
template <typename Body, typename Result = decltype(std::declval<Body>()())>
Result Guarded(Body&& body, Result onError = Result()) {
    std::string message;
    try {
        return body();
    } catch (const std::bad_alloc&) {
        message = "Out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    RaiseHostError(message);
    return onError;
}

template <typename Body>
void GuardedVoid(Body&& body) {
    Guarded([&] { body(); return 0; }, 0);
}

}  // namespace hq
