#include "host_crossing.h"

#include <windows.h>

#include <algorithm>

namespace hq {

namespace {

void Keep(const EXCEPTION_RECORD* rec, HostExceptionRecord* out) {
    out->code = rec->ExceptionCode;
    out->flags = rec->ExceptionFlags;
    out->count = std::min<uint32_t>(rec->NumberParameters, 15);
    for (uint32_t i = 0; i < out->count; ++i) out->params[i] = rec->ExceptionInformation[i];
    out->address = rec->ExceptionAddress;
}

constexpr DWORD kUnwinding = EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND;

}  // namespace

#ifdef _WIN64

// The 64-bit system finds frame handlers from tables: the crossing is
// hq_cross (host_crossing_x64.S), whose frame names hq_crossing_frame as its
// handler and keeps `out` 48 bytes into its frame.
extern "C" int hq_cross(void (*call)(void*), void* context, HostExceptionRecord* out);
extern "C" char hq_cross_landing[];

// The 64-bit build's own C++ exceptions travel as structured exceptions too
// (STATUS_GCC_THROW, _UNWIND, _FORCED: 0x2?474343); they keep their own way.
bool IsCxxException(DWORD code) { return (code & 0xF0FFFFFFu) == 0x20474343u; }

extern "C" EXCEPTION_DISPOSITION hq_crossing_frame(EXCEPTION_RECORD* rec, void* frame, CONTEXT* context,
                                                   void* dispatch) {
    if ((rec->ExceptionFlags & kUnwinding) || IsCxxException(rec->ExceptionCode)) return ExceptionContinueSearch;
    Keep(rec, *reinterpret_cast<HostExceptionRecord**>(static_cast<char*>(frame) + 48));
    // Unwinds the frames between (the host's own handlers run) and resumes
    // at the crossing's landing, which answers 0.
    ::RtlUnwindEx(frame, hq_cross_landing, rec, nullptr, context,
                  static_cast<DISPATCHER_CONTEXT*>(dispatch)->HistoryTable);
    return ExceptionContinueSearch;
}

bool CrossIntoHost(void (*call)(void*), void* context, HostExceptionRecord* out) {
    return hq_cross(call, context, out) != 0;
}

#else

namespace {

// A registration on the thread's exception chain, on the crossing's stack,
// with the landing (__builtin_setjmp's frame pointer, resume address and
// stack pointer) the handler resumes at.
struct Crossing {
    EXCEPTION_REGISTRATION_RECORD registration;
    void* landing[5];
    HostExceptionRecord* out;
};

NT_TIB* ThreadBlock() { return reinterpret_cast<NT_TIB*>(::NtCurrentTeb()); }

}  // namespace

extern "C" EXCEPTION_DISPOSITION __cdecl hq_crossing_frame(EXCEPTION_RECORD* rec, void* frame, CONTEXT*, void*) {
    if (rec->ExceptionFlags & kUnwinding) return ExceptionContinueSearch;
    auto* crossing = static_cast<Crossing*>(frame);
    Keep(rec, crossing->out);
    // The handlers registered after the crossing (the host's) unwind; the
    // chain then ends at the crossing, which is taken off before resuming.
    ::RtlUnwind(frame, nullptr, rec, nullptr);
    ThreadBlock()->ExceptionList = crossing->registration.Next;
    __builtin_longjmp(crossing->landing, 1);
}

bool CrossIntoHost(void (*call)(void*), void* context, HostExceptionRecord* out) {
    Crossing crossing{};
    crossing.out = out;
    if (__builtin_setjmp(crossing.landing)) return false;
    NT_TIB* tib = ThreadBlock();
    crossing.registration.Next = tib->ExceptionList;
    crossing.registration.Handler = reinterpret_cast<PEXCEPTION_ROUTINE>(&hq_crossing_frame);
    tib->ExceptionList = &crossing.registration;
    call(context);
    tib->ExceptionList = crossing.registration.Next;
    return true;
}

#endif

void RaiseHostException(const HostExceptionRecord& record) noexcept {
    ULONG_PTR params[15];
    for (uint32_t i = 0; i < record.count; ++i) params[i] = record.params[i];
    ::RaiseException(record.code, record.flags & EXCEPTION_NONCONTINUABLE, record.count,
                     record.count ? params : nullptr);
}

}  // namespace hq
