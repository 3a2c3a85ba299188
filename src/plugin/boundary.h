// The error boundary at every export: no C++ exception leaves the plug-in.
// An error becomes a continuable structured exception the host can report.
#pragma once
#include <cstdint>
#include <exception>
#include <new>

#include "base/error_text.h"
#include "base/host_crossing.h"

namespace hq {

// Exception code and parameters the host receives for an error:
// parameter 0 points to the message (Windows-1251, NUL-terminated, valid
// until the next error), parameter 1 is its length.
constexpr uint32_t kErrorExceptionCode = 0xE07A0001u;

// Raises the structured exception for the kept text. Returns only when the
// host chooses to continue execution. Nothing the caller owns on the heap may
// be alive at this point: a host that unwinds instead never returns here.
void RaiseKeptError() noexcept;

// Runs `body`; an exception it throws is fully unwound and its text copied
// into the message buffer, then reported to the host, and `onError` is
// returned if the host continues. Reporting allocates nothing, so it cannot
// fail for lack of memory.
// An exception the host raised in one of its callbacks is not an error of the
// plug-in: once everything has unwound it is raised to the host again, as the
// host raised it.
template <typename Body, typename Result = decltype(std::declval<Body>()())>
Result Guarded(Body&& body, Result onError = Result()) {
    HostExceptionRecord host;
    bool fromHost = false;
    try {
        return body();
    } catch (const HostException& e) {
        host = e.record();
        fromHost = true;
    } catch (const std::bad_alloc&) {
        KeepErrorText("Out of memory");
    } catch (const std::exception& e) {
        KeepErrorText(e.what());
    } catch (...) {
        KeepErrorText("Unknown error");
    }
    if (fromHost)
        RaiseHostException(host);
    else
        RaiseKeptError();
    return onError;
}

template <typename Body>
void GuardedVoid(Body&& body) {
    Guarded([&] { body(); return 0; }, 0);
}

}  // namespace hq
