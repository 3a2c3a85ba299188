#include "plugin/boundary.h"

#include <windows.h>

namespace hq {

void RaiseKeptError() noexcept {
    ::OutputDebugStringA(KeptErrorText());
    const ULONG_PTR args[2] = {reinterpret_cast<ULONG_PTR>(KeptErrorText()), KeptErrorLength()};
    ::RaiseException(kErrorExceptionCode, 0, 2, args);
}

}  // namespace hq
