// Where a window goes when it is centred in an area of the screen. Portable.
#pragma once
#include <cstdint>

namespace hq {

// A rectangle of the screen (a monitor's work area): left and top inside,
// right and bottom just outside, in screen coordinates (which are negative
// left of and above the primary monitor).
struct ScreenArea {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Where a window `size` long starts, centred in [from, to) (the division
// truncating toward zero); a window longer than the span starts at `from`, so
// that its caption and top-left corner stay inside.
constexpr int32_t CentredIn(int32_t from, int32_t to, int32_t size) {
    return size >= to - from ? from : from + (to - from - size) / 2;
}

}  // namespace hq
