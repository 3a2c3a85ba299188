// Fuzz target of the colour text forms (the checks are in color_text_check.h).
#include "color_text_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hqfuzz::CheckColour(data, size);
    return 0;
}
