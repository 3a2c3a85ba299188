#include "base/error_text.h"

#include <cstring>

namespace hq {

namespace {
char g_text[kErrorTextCapacity];
size_t g_length = 0;
}  // namespace

void KeepErrorText(const char* text) noexcept {
    if (!text) text = "";
    size_t n = 0;
    while (n < kErrorTextCapacity && text[n]) ++n;
    if (n < kErrorTextCapacity) {
        std::memcpy(g_text, text, n);
    } else {
        n = kErrorTextCapacity - 1;
        std::memcpy(g_text, text, n - 3);
        std::memcpy(g_text + n - 3, "...", 3);
    }
    g_text[n] = '\0';
    g_length = n;
}

const char* KeptErrorText() noexcept { return g_text; }
size_t KeptErrorLength() noexcept { return g_length; }

}  // namespace hq
