// Fuzz target of integer text (the checks are in int_text_check.h).
#include "int_text_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hqfuzz::CheckInt(data, size);
    return 0;
}
