#include "actions/window/region_build.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace hq {

namespace {

static_assert(sizeof(RunRect) == sizeof(RECT), "RunRect has the layout of RECT");

// Rectangles handed to the system per ExtCreateRegion call. The system builds
// a region from a rectangle list by adding the rectangles one by one, each
// addition costing time in proportion to the region built so far, so one call
// with a whole dithered mask takes time in the square of its runs (measured
// under Wine: 49 s for 98,304 single-pixel runs). Small lists merged pairwise,
// like a binary counter, keep the total close to linear.
constexpr size_t kChunk = 32;

UniqueRegion Checked(HRGN region) {
    if (!region) Fail("Out of system resources");
    return UniqueRegion(region);
}

UniqueRegion ChunkRegion(const RunRect* rects, size_t count, std::vector<uint8_t>& buffer) {
    buffer.resize(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    for (size_t i = 1; i < count; ++i) {
        bounds.left = std::min<LONG>(bounds.left, rects[i].left);
        bounds.right = std::max<LONG>(bounds.right, rects[i].right);
        bounds.bottom = std::max<LONG>(bounds.bottom, rects[i].bottom);
    }
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    data->rdh.rcBound = bounds;
    std::memcpy(data->Buffer, rects, count * sizeof(RECT));
    return Checked(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

// Adds `from` to `into` and returns the union (in `into`'s handle).
UniqueRegion Union(UniqueRegion into, const UniqueRegion& from) {
    if (::CombineRgn(into.get(), into.get(), from.get(), RGN_OR) == ERROR) Fail("Out of system resources");
    return into;
}

}  // namespace

void RegionBuilder::Add(const RunRect* rects, size_t count) {
    while (count > 0) {
        const size_t take = std::min(count, kChunk - chunk_.size());
        chunk_.insert(chunk_.end(), rects, rects + take);
        rects += take;
        count -= take;
        if (chunk_.size() == kChunk) FlushChunk();
    }
}

void RegionBuilder::FlushChunk() {
    if (chunk_.empty()) return;
    UniqueRegion region = ChunkRegion(chunk_.data(), chunk_.size(), buffer_);
    chunk_.clear();
    int rank = 0;
    while (!stack_.empty() && stack_.back().rank == rank) {
        region = Union(std::move(stack_.back().region), region);
        stack_.pop_back();
        ++rank;
    }
    stack_.push_back({std::move(region), rank});
}

UniqueRegion RegionBuilder::Finish() {
    FlushChunk();
    if (stack_.empty()) return Checked(::CreateRectRgn(0, 0, 0, 0));
    UniqueRegion result = std::move(stack_.back().region);
    stack_.pop_back();
    while (!stack_.empty()) {
        result = Union(std::move(stack_.back().region), result);
        stack_.pop_back();
    }
    return result;
}

UniqueRegion RegionFromRects(const std::vector<RunRect>& rects) {
    RegionBuilder builder;
    builder.Add(rects.data(), rects.size());
    return builder.Finish();
}

}  // namespace hq
