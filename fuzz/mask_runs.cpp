// Fuzz target of the mask run builder (the checks are in mask_runs_check.h).
#include "mask_runs_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hqfuzz::CheckMask(data, size);
    return 0;
}
