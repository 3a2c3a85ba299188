// Fuzz target of the BMP reader and writer (the checks are in bmp_roundtrip.h).
#include "bmp_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hqfuzz::CheckBmp(data, size, hqfuzz::QuantisePortable);
    return 0;
}
