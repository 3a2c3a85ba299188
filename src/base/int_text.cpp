#include "int_text.h"

#include "error.h"

namespace hq {

void FailWith(const char* format, const std::string& arg) {
    std::string text(format);
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, arg);
    throw Error(text);
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && s[i + 1] == 'x') {
        hex = true;
        i += 2;
    }
    if (i == s.size()) return std::nullopt;  // no digits at all

    uint64_t value = 0;
    if (hex) {
        for (; i < s.size(); ++i) {
            const int d = HexDigit(s[i]);
            if (d < 0) return std::nullopt;
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull) return std::nullopt;
        }
        uint32_t bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(s[i] - '0');
        if (value > 0x80000000ull) return std::nullopt;
    }
    if (!negative && value > 0x7FFFFFFFull) return std::nullopt;
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(value))
                    : static_cast<int32_t>(value);
}

int32_t StrToInt(std::string_view text) {
    if (auto v = TryStrToInt(text)) return *v;
    FailWith("'%s' is not a valid integer value", std::string(text));
}

}  // namespace hq
