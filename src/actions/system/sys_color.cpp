// fzGetSysColor: the colour of one system display element as RGB text.
#include <windows.h>

#include "actions/actions.h"
#include "actions/system/color_text.h"
#include "base/host.h"
#include "base/int_text.h"

namespace hq {

bool fzGetSysColor(const Params& p) {
    const int32_t index = StrToInt(p[0]);  // a bad index ends the action before anything is written
    SetHostVariable(p[1], RgbText(::GetSysColor(index)));
    return false;
}

}  // namespace hq
