// The process-wide buffer that holds the text of the latest error for the
// host. Fixed size and never allocating, so reporting an error cannot fail
// for lack of memory and leaves nothing on the heap. Portable (no <windows.h>).
#pragma once
#include <cstddef>

namespace hq {

// Size of the buffer, terminating NUL included. A longer text is cut and
// ends in "..." (Windows-1251 has one byte a character: any cut is clean).
constexpr size_t kErrorTextCapacity = 4096;

// Copies `text` (null reads as empty) into the buffer.
void KeepErrorText(const char* text) noexcept;
// The kept text, NUL-terminated, valid until the next KeepErrorText.
const char* KeptErrorText() noexcept;
size_t KeptErrorLength() noexcept;

}  // namespace hq
