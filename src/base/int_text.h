// Integer text: the conversion every numeric parameter goes through.
// Portable (no <windows.h>).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace hq {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x", "X" or "0x". Decimal values must fit a signed 32-bit integer;
// hexadecimal ones may use all 32 bits and are read as that bit pattern
// ("$FFFFFFFF" is -1). Returns nothing for any other text.
std::optional<int32_t> TryStrToInt(std::string_view text);

// As TryStrToInt, but raises "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);

}  // namespace hq
