// Window regions from rectangle lists.
#pragma once
#include <cstdint>
#include <vector>

#include "actions/window/mask_runs.h"
#include "base/handles.h"

namespace hq {

// Builds one region from rectangles given in any number of pieces (top row
// first, left to right, as the mask scan gives them). It holds at most one
// small list of rectangles itself; the rest is in the regions it merges.
// Raises "Out of system resources" when the system refuses a region.
class RegionBuilder {
public:
    void Add(const RunRect* rects, size_t count);
    // The union of everything added; an empty region when nothing was.
    UniqueRegion Finish();

private:
    struct Pending {
        UniqueRegion region;
        int rank;  // the region holds 2^rank lists
    };
    void FlushChunk();
    std::vector<Pending> stack_;
    std::vector<RunRect> chunk_;
    std::vector<uint8_t> buffer_;
};

// The union of `rects` as one region; an empty list gives an empty region.
UniqueRegion RegionFromRects(const std::vector<RunRect>& rects);

}  // namespace hq
