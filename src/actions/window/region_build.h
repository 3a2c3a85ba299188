// Window regions from rectangle lists.
#pragma once
#include <vector>

#include "actions/window/mask_runs.h"
#include "plugin/handles.h"

namespace hq {

// The union of `rects` (top row first, left to right, as BuildMaskRuns gives
// them) as one region; an empty list gives an empty region.
UniqueRegion RegionFromRects(const std::vector<RunRect>& rects);

}  // namespace hq
