#include "plugin/boundary.h"

#include <windows.h>

namespace hq {

void RaiseHostError(const std::string& message) {
    // Kept until the next error so the host can read it after the exception.
    static std::string lastError;
    lastError = message;
    ::OutputDebugStringA(lastError.c_str());
    const ULONG_PTR args[2] = {reinterpret_cast<ULONG_PTR>(lastError.c_str()), lastError.size()};
    ::RaiseException(kErrorExceptionCode, 0, 2, args);
}

}  // namespace hq
