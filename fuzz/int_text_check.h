// Integer text against a reference parser: the same value for every text the
// grammar accepts (blanks, a sign, decimal digits or hexadecimal digits after
// "$", "x", "X" or "0x"), the exact error text for every other text, and the
// usual ways of writing a value read back as that value.
#pragma once
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "base/error.h"
#include "base/int_text.h"

namespace hqfuzz {

// Reference: split the text by the grammar, read the digits with from_chars.
inline std::optional<int32_t> ReferenceInt(std::string_view s) {
    const size_t blanks = s.find_first_not_of(' ');
    if (blanks == std::string_view::npos) return std::nullopt;
    s.remove_prefix(blanks);
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') s.remove_prefix(1);
    int base = 10;
    if (s.substr(0, 2) == "0x") {
        base = 16, s.remove_prefix(2);
    } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
        base = 16, s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    for (char c : s) {
        const bool digit = c >= '0' && c <= '9';
        const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit && !(base == 16 && hex)) return std::nullopt;
    }
    const size_t zeros = s.find_first_not_of('0');
    s.remove_prefix(zeros == std::string_view::npos ? s.size() : zeros);
    uint64_t magnitude = 0;
    if (!s.empty()) {
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
        if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;  // beyond 64 bits
    }
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFu) return std::nullopt;
        const uint32_t bits = static_cast<uint32_t>(magnitude);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    if (magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
}

inline void CheckIntText(std::string_view text) {
    const std::optional<int32_t> want = ReferenceInt(text);
    FUZZ_CHECK(hq::TryStrToInt(text) == want);
    try {
        const int32_t got = hq::StrToInt(text);
        FUZZ_CHECK(want && got == *want);
    } catch (const hq::Error& e) {
        FUZZ_CHECK(!want);
        FUZZ_CHECK(std::string(e.what()) == "'" + std::string(text) + "' is not a valid integer value");
    }
}

// Ways of writing `value` that must read back as it.
inline void CheckIntForms(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(bits));
    char lower[16];
    std::snprintf(lower, sizeof lower, "%08x", static_cast<unsigned>(bits));
    const std::string dec = std::to_string(value), h = hex, l = lower;
    const int32_t negated = static_cast<int32_t>(0u - bits);
    const struct {
        std::string text;
        int32_t value;
    } forms[] = {{dec, value},          {"   " + dec, value}, {"$" + h, value},   {"x" + l, value},
                 {"X" + h, value},      {"0x" + l, value},    {" +$" + h, value}, {"-$" + h, negated},
                 {"-0x" + l, negated}};
    for (const auto& f : forms) FUZZ_CHECK(hq::TryStrToInt(f.text) == f.value);
    if (value >= 0) FUZZ_CHECK(hq::TryStrToInt("+" + dec) == value);
    if (value > 0) FUZZ_CHECK(hq::TryStrToInt("-" + dec) == -value);
}

// The input up to its first NUL is the text (parameters are C strings); its
// first four bytes are also a value to write out.
inline void CheckInt(const uint8_t* data, size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    CheckIntText(all.substr(0, all.find('\0')));
    if (size >= 4) CheckIntForms(static_cast<int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) | (uint32_t{data[3]} << 24)));
}

}  // namespace hqfuzz
