// Calls into the host cross a frame of the plug-in's own. The host may raise
// its own structured exception in a callback (a Pascal host raises every error
// that way); passing through the plug-in's frames it would skip every owner
// on the way: a dialog left on screen, the host's windows left disabled. The
// crossing catches it, unwinds the host's frames to the crossing, and carries
// it on as a C++ exception, so that every owner in the plug-in unwinds; the
// export then raises it to the host again, unchanged.
#pragma once
#include <cstdint>
#include <exception>
#include <type_traits>

#include "base/dpi.h"

namespace hq {

// What the host raised: code, flags and parameters, as it raised them.
struct HostExceptionRecord {
    uint32_t code = 0;
    uint32_t flags = 0;
    uint32_t count = 0;         // parameters kept, at most 15
    uintptr_t params[15] = {};
    const void* address = nullptr;
};

class HostException : public std::exception {
public:
    explicit HostException(const HostExceptionRecord& record) : record_(record) {}
    const char* what() const noexcept override { return "The host raised an exception"; }
    const HostExceptionRecord& record() const { return record_; }

private:
    HostExceptionRecord record_;
};

// Calls call(context) inside the crossing's frame. False when a structured
// exception raised within the call was caught there: its record is in *out
// and the frames between were unwound.
bool CrossIntoHost(void (*call)(void*), void* context, HostExceptionRecord* out);

// Runs `call` (which calls the host) across a crossing, in the host's own
// DPI awareness; raises HostException for an exception the host raised in it.
template <typename Call>
void CallHost(Call&& call) {
    using Body = std::remove_reference_t<Call>;
    const HostDpiScope hostDpi;
    HostExceptionRecord record;
    if (!CrossIntoHost([](void* c) { (*static_cast<Body*>(c))(); }, &call, &record)) throw HostException(record);
}

// Raises the host's exception again, with its own code, flags and
// parameters; returns only if the host continues execution.
void RaiseHostException(const HostExceptionRecord& record) noexcept;

}  // namespace hq
